#include "config/scripts/CDescription.h"

#include "app/files/GeneratedFile.h"
#include "app/files/SearchPath.h"
#include "app/text/Messages.h"
#include "platform/NumberText.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <strings.h>

namespace {

const char* const kNoteLines[] = {
    "// NOTE:  THIS FILE IS AUTOMATICALLY REGENERATED, ",
    "//DO NOT EDIT THIS HEADER, YOUR COMMENTS WILL BE LOST IF YOU DO",
    nullptr, // the description's own line
    "//",
    "// Format:",
    "//  Version [float]",
    "//  Options description followed by ",
    "//  Options defaults",
    "//",
    "// Option description syntax:",
    "//",
    "//  \"cvar\" { \"Prompt\" { type [ type info ] } { default } }",
    "//",
    "//  type = ",
    "//   BOOL   (a yes/no toggle)",
    "//   STRING",
    "//   NUMBER",
    "//   LIST",
    "//",
    "// type info:",
    "// BOOL                 no type info",
    "// NUMBER       min max range, use -1 -1 for no limits",
    "// STRING       no type info",
    "// LIST          delimited list of options value pairs",
    "//",
    "//",
    "// default depends on type",
    "// BOOL is \"0\" or \"1\"",
    "// NUMBER is \"value\"",
    "// STRING is \"value\"",
    "// LIST is \"index\", where index \"0\" is the first element of the list",
};

constexpr const char kCvarSettingLines[] = "//\r\n//\r\n// Cvar\t-\tSetting\r\n\r\n";

void Report(const std::string& text)
{
    ShowText(text);
}

} // namespace

CDescription::CDescription(std::string name, const char* scriptKindLine) : m_name(std::move(name))
{
    for (const char* line : kNoteLines) {
        m_note += line ? line : scriptKindLine;
        m_note += "\r\n";
    }
    m_note += "\r\n\r\n";
}

bool CDescription::ReadFromFile(const std::string& fileName)
{
    const std::unique_ptr<char[]> text = LoadFile(fileName);
    if (!text)
        return false;
    ParseText(text.get());
    return true;
}

bool CDescription::ParseText(const char* text)
{
    const char* position = text;
    return Parse(position);
}

bool CDescription::Parse(const char*& position)
{
    CToken token(position);
    token.SetQuoted(true);
    token.SetSkipComments(true);
    const auto keyword = [&token](const char* expected) {
        token.NextToken();
        if (token.Empty())
            return false;
        if (strcasecmp(token.Token(), expected) != 0) {
            Report(std::string("Expecting '") + expected + "', got '" + token.Token() + "'");
            return false;
        }
        return true;
    };

    if (!keyword("VERSION"))
        return false;
    token.NextToken();
    if (token.Empty()) {
        Report("Expecting version #");
        return false;
    }
    const double version = ParseDouble(token.Token());
    if (version != kScriptVersion) {
        Report("Version mismatch, expecting " + FormatFixed(kScriptVersion, 6) + ", got " + FormatFixed(version, 6));
        return false;
    }
    if (!keyword("DESCRIPTION"))
        return false;
    token.NextToken();
    if (token.Empty()) {
        Report("Expecting '" + m_name + "'");
        return false;
    }
    if (strcasecmp(token.Token(), m_name.c_str()) != 0) {
        Report("Expecting " + m_name + ", got " + token.Token());
        return false;
    }
    token.NextToken();
    if (token.Empty())
        return false;
    if (std::strcmp(token.Token(), "{") != 0) {
        Report(std::string("Expecting '{', got '") + token.Token() + "'");
        return false;
    }

    for (;;) {
        const char* saved = token.GetPosition();
        token.NextToken();
        if (token.Empty())
            return false;
        if (strcasecmp(token.Token(), "}") == 0) {
            position = token.GetPosition();
            return true;
        }
        const char* optionPosition = saved;
        CDescriptionOption option;
        if (!option.ParseOption(optionPosition))
            return false;
        m_options.push_back(std::move(option));
        token.SetPosition(optionPosition);
    }
}

std::string CDescription::TimeStampLine(const std::tm& local)
{
    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const int hour = local.tm_hour;
    const int clockHour = hour % 12 == 0 ? 12 : hour % 12;
    char text[96];
    std::snprintf(text, sizeof text, "%.3s %.3s%3d %.2d:%.2d:%.2d", kDays[unsigned(local.tm_wday) % 7],
                  kMonths[unsigned(local.tm_mon) % 12], local.tm_mday, clockHour, local.tm_min, local.tm_sec);
    return std::string("// File generated:  ") + std::string(text).substr(0, 19) + " " + (hour >= 12 ? "PM" : "AM") +
           "\r\n";
}

std::tm CDescription::LocalNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

void CDescription::WriteLayoutHeaderWith(std::string& out, const std::tm& stamp, const char* titleLine) const
{
    out += m_note;
    out += titleLine;
    out += "\r\n";
    out += TimeStampLine(stamp);
    out += kCvarSettingLines;
    out += "VERSION " + FormatFixed(kScriptVersion, 1) + "\r\n\r\n";
    out += "DESCRIPTION " + m_name + "\r\n{\r\n";
}

void CDescription::WriteSettingsHeaderWith(std::string& out, const std::tm& stamp, const char* titleLine)
{
    out += titleLine;
    out += "\r\n// DO NOT EDIT, GENERATED BY KESTREL\r\n";
    out += TimeStampLine(stamp);
    out += kCvarSettingLines;
}

void CDescription::WriteLayout(std::string& out, const std::tm& stamp)
{
    WriteLayoutHeader(out, stamp);
    for (CDescriptionOption& option : m_options)
        option.WriteLayout(out);
    out += "}\r\n";
}

void CDescription::WriteSettings(std::string& out, const std::tm& stamp) const
{
    WriteSettingsHeader(out, stamp);
    for (const CDescriptionOption& option : m_options) {
        std::string cvar = option.cvar;
        StripQuotesAndPercent(cvar);
        out += "\"" + cvar + "\"\t\t\"" + option.ValueText() + "\"\r\n";
    }
}

bool CDescription::SaveLayout(const std::string& path)
{
    std::string out;
    WriteLayout(out, LocalNow());
    return WriteGeneratedFile(path, out);
}

bool CDescription::SaveSettings(const std::string& path) const
{
    std::string out;
    WriteSettings(out, LocalNow());
    return WriteGeneratedFile(path, out);
}

void CDescription::ApplyToConfig(const ConfigWriter& write) const
{
    for (const CDescriptionOption& option : m_options) {
        std::string value = option.ValueText();
        if (value.size() > CDescriptionOption::kMaxConfigValue)
            value.resize(CDescriptionOption::kMaxConfigValue);
        write(option.cvar, value, option.setInfo);
    }
}

void CDescription::LoadFromConfig(const ConfigLookup& lookUp)
{
    for (CDescriptionOption& option : m_options)
        if (const std::optional<std::string> value = lookUp(option.cvar))
            option.SetDefault(*value);
}
