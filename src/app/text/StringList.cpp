#include "app/text/StringList.h"

#include "app/files/SearchPath.h"
#include "app/settings/ActiveCustomGame.h"
#include "app/text/BuiltinStrings.h"
#include "app/text/CToken.h"
#include "app/text/FormatConversions.h"
#include "app/text/Messages.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <strings.h>

namespace {

StringList g_list;
bool g_reportingMissing = false;

constexpr const char kGameMarker[] = "!game";
constexpr size_t kGameMarkerLength = sizeof kGameMarker - 1;

std::string GameName()
{
    if (const ActiveCustomGameInfo* game = ActiveCustomGame()) {
        std::string name = game->game;
        while (!name.empty() && name.back() == ' ')
            name.pop_back();
        if (!name.empty())
            return name;
    }
    return "Kestrel";
}

// Replaces every "!game" (any case). For a text about to be used as a format, a '%'
// in the name is doubled so the name cannot add conversions.
std::string SubstituteGameName(const std::string& text, bool forFormat)
{
    if (text.find('!') == std::string::npos)
        return text;
    std::string name = GameName();
    if (forFormat) {
        std::string escaped;
        for (char c : name) {
            escaped += c;
            if (c == '%')
                escaped += '%';
        }
        name = escaped;
    }
    std::string out;
    for (size_t pos = 0; pos < text.size();) {
        if (strncasecmp(text.c_str() + pos, kGameMarker, kGameMarkerLength) == 0) {
            out += name;
            pos += kGameMarkerLength;
        } else {
            out += text[pos++];
        }
    }
    return out;
}

std::string Limited(std::string text)
{
    if (text.size() > StringList::kMaxText)
        text.resize(StringList::kMaxText);
    return text;
}

const char* ResourceString(int number)
{
    const char* text = BuiltinString(number);
    return text && *text ? text : nullptr;
}

void ReportMissing(int number)
{
    if (g_reportingMissing)
        return;
    g_reportingMissing = true;
    char text[64];
    std::snprintf(text, sizeof text, "Error Loading String: %i", number);
    ShowText(text);
    g_reportingMissing = false;
}

} // namespace

void StringList::Parse(const char* text)
{
    CToken token(text);
    token.SetQuoted(true);
    token.SetSkipComments(true);
    for (;;) {
        token.NextToken();
        if (token.Empty())
            return;
        const int number = ParseInt(token.Token());
        token.NextToken();
        if (token.Empty())
            return;
        m_texts[number] = token.Token();
    }
}

const std::string* StringList::Find(int number) const
{
    const auto it = m_texts.find(number);
    return it == m_texts.end() ? nullptr : &it->second;
}

StringList& LoadedStringList()
{
    return g_list;
}

bool LoadStringList()
{
    g_list.Clear();
    const std::unique_ptr<char[]> text = LoadFile(kStringListFile);
    if (!text)
        return false;
    g_list.Parse(text.get());
    return true;
}

std::string GetString(int number)
{
    if (const std::string* listed = g_list.Find(number))
        return Limited(SubstituteGameName(*listed, false));
    if (const char* resource = ResourceString(number))
        return Limited(SubstituteGameName(resource, false));
    if (const char* own = ProgramString(number))
        return own;
    ReportMissing(number);
    return {};
}

std::string FormatStringV(int number, va_list args)
{
    const char* trusted = ResourceString(number);
    if (!trusted)
        trusted = ProgramString(number);
    std::string format;
    if (const std::string* listed = g_list.Find(number)) {
        const std::optional<std::string> kinds = ConversionSignature(*listed);
        if (trusted) {
            // The list text may use fewer of the values, never others.
            const std::optional<std::string> trustedKinds = ConversionSignature(trusted);
            const bool fits = kinds && trustedKinds && trustedKinds->compare(0, kinds->size(), *kinds) == 0;
            format = fits ? *listed : std::string(trusted);
        } else if (kinds && kinds->empty()) {
            format = *listed;
        } else {
            // Nothing to check the conversions against: show the text as it stands.
            return Limited(SubstituteGameName(*listed, false));
        }
    } else if (trusted) {
        format = trusted;
    } else {
        ReportMissing(number);
        return {};
    }
    format = SubstituteGameName(format, true);
    char buffer[StringList::kMaxText + 1];
    std::vsnprintf(buffer, sizeof buffer, format.c_str(), args);
    return buffer;
}

std::string FormatString(int number, ...)
{
    va_list args;
    va_start(args, number);
    std::string text = FormatStringV(number, args);
    va_end(args);
    return text;
}

int StringNumber(int number, int position)
{
    const std::string text = GetString(number);
    int index = 0;
    for (size_t pos = 0; pos < text.size();) {
        while (pos < text.size() && text[pos] == ' ')
            ++pos;
        if (pos >= text.size())
            break;
        const size_t end = std::min(text.find(' ', pos), text.size());
        if (index++ == position)
            return ParseInt(text.substr(pos, end - pos).c_str());
        pos = end;
    }
    return 0;
}
