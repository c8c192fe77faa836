#include "config/scripts/CDescriptionOption.h"

#include "app/text/Messages.h"
#include "platform/NumberText.h"

#include <cstring>
#include <strings.h>

const TypeKeyword TypeKeywordTable[4] = {
    {OptionType::Bool, "BOOL"},
    {OptionType::Number, "NUMBER"},
    {OptionType::List, "LIST"},
    {OptionType::String, "STRING"},
};

namespace {

// The text has ended (as opposed to an explicit "" token, which is a value).
bool Ended(const CToken& token)
{
    return token.Empty() && (!token.GetPosition() || !*token.GetPosition());
}

void ReportBrace(const CToken& token)
{
    ShowText(std::string("Expecting '{', got '") + token.Token() + "'");
}

void Append(std::string& out, const char* a, const std::string& text, const char* b)
{
    out += a;
    out += text;
    out += b;
}

} // namespace

OptionType LookUpTypeKeyword(const char* keyword)
{
    for (const TypeKeyword& row : TypeKeywordTable)
        if (strcasecmp(row.keyword, keyword) == 0)
            return row.code;
    return OptionType::None;
}

void StripQuotesAndPercent(std::string& text)
{
    std::string out;
    for (char c : text)
        if (c != '"' && c != '%')
            out += c;
    if (out.size() > kMaxStrippedText)
        out.resize(kMaxStrippedText);
    text = std::move(out);
}

float TextToFloat(const char* text)
{
    return NarrowToFloat(ParseDouble(text));
}

std::string FloatText(float value)
{
    return FormatFixed(double(value), 6);
}

void CDescriptionOption::SetDefault(const std::string& text)
{
    defaultText = text;
    currentText = text;
    defaultValue = TextToFloat(text.c_str());
    currentValue = defaultValue;
}

bool CDescriptionOption::ParseOption(const char*& position)
{
    CToken token(position);
    token.SetQuoted(true);
    token.SetSkipComments(true);
    const auto next = [&token] {
        token.NextToken();
        return !Ended(token);
    };
    const auto brace = [&](const char* expected) {
        if (!next())
            return false;
        if (std::strcmp(token.Token(), expected) != 0) {
            ReportBrace(token);
            return false;
        }
        return true;
    };

    if (!next())
        return false;
    cvar = token.Token();
    if (!brace("{") || !next())
        return false;
    prompt = token.Token();
    if (!brace("{") || !next())
        return false;
    type = LookUpTypeKeyword(token.Token());
    switch (type) {
    case OptionType::None:
        ShowText(std::string("Type '") + token.Token() + "' unknown");
        return false;
    case OptionType::Bool:
    case OptionType::String:
        if (!brace("}"))
            return false;
        break;
    case OptionType::Number:
        if (!next())
            return false;
        min = TextToFloat(token.Token());
        if (!next())
            return false;
        max = TextToFloat(token.Token());
        if (!brace("}"))
            return false;
        break;
    case OptionType::List:
        for (;;) {
            if (!next())
                return false;
            if (std::strcmp(token.Token(), "}") == 0)
                break;
            CDescriptionListEntry entry;
            entry.label = std::string(token.Token()).substr(0, CDescriptionListEntry::kMaxLabel);
            if (!next())
                return false;
            entry.value = std::string(token.Token()).substr(0, CDescriptionListEntry::kMaxValue);
            list.push_back(std::move(entry));
        }
        break;
    }
    if (!brace("{") || !next())
        return false;
    SetDefault(token.Token());
    if (!brace("}") || !next())
        return false;
    if (strcasecmp(token.Token(), "SetInfo") == 0) {
        setInfo = true;
        if (!next())
            return false;
    }
    if (std::strcmp(token.Token(), "}") != 0) {
        ReportBrace(token);
        return false;
    }
    position = token.GetPosition();
    return true;
}

namespace {

// The index a value names when truncated toward zero, or -1 outside [0, count).
int TruncatedIndex(float value, size_t count)
{
    if (!(value > -1.0f) || value >= float(count))
        return -1;
    return int(value);
}

} // namespace

int CDescriptionOption::CurrentListIndex() const
{
    return TruncatedIndex(currentValue, list.size());
}

int CDescriptionOption::DefaultListIndex() const
{
    return TruncatedIndex(defaultValue, list.size());
}

std::string CDescriptionOption::ValueText() const
{
    std::string text;
    switch (type) {
    case OptionType::Bool:
        return currentValue != 0 ? "1" : "0";
    case OptionType::Number: {
        float value = currentValue;
        if (min != kNoLimit && value <= min)
            value = min;
        if (max != kNoLimit && value >= max)
            value = max;
        return FloatText(value);
    }
    case OptionType::List: {
        const int index = CurrentListIndex();
        text = index >= 0 ? list[size_t(index)].value : "0.0";
        break;
    }
    case OptionType::String:
        text = currentText;
        break;
    case OptionType::None:
        break;
    }
    StripQuotesAndPercent(text);
    return text;
}

void CDescriptionOption::WriteLayout(std::string& out)
{
    StripQuotesAndPercent(cvar);
    StripQuotesAndPercent(prompt);
    if (type == OptionType::String)
        StripQuotesAndPercent(currentText);
    for (CDescriptionListEntry& entry : list) {
        StripQuotesAndPercent(entry.label);
        StripQuotesAndPercent(entry.value);
    }

    Append(out, "\t\"", cvar, "\"\r\n");
    out += "\t{\r\n";
    Append(out, "\t\t\"", prompt, "\"\r\n");
    switch (type) {
    case OptionType::Bool:
    case OptionType::None:
        out += "\t\t{ BOOL }\r\n";
        break;
    case OptionType::Number:
        out += "\t\t{ NUMBER " + FloatText(min) + " " + FloatText(max) + " }\r\n";
        break;
    case OptionType::String:
        out += "\t\t{ STRING }\r\n";
        break;
    case OptionType::List:
        out += "\t\t{\r\n\t\t\tLIST\r\n";
        for (const CDescriptionListEntry& entry : list)
            out += "\t\t\t\"" + entry.label + "\" \"" + entry.value + "\"\r\n";
        out += "\t\t}\r\n";
        break;
    }
    switch (type) {
    case OptionType::Bool:
    case OptionType::None: {
        const bool set = currentValue >= 1.0f || currentValue <= -1.0f;
        out += set ? "\t\t{ \"1\" }\r\n" : "\t\t{ \"0\" }\r\n";
        break;
    }
    case OptionType::Number:
    case OptionType::List:
        Append(out, "\t\t{ \"", FloatText(currentValue), "\" }\r\n");
        break;
    case OptionType::String:
        Append(out, "\t\t{ \"", currentText, "\" }\r\n");
        break;
    }
    if (setInfo)
        out += "\t\tSetInfo\r\n";
    out += "\t}\r\n\r\n";
}

void CDescriptionOption::SetCurrent(std::string text)
{
    StripQuotesAndPercent(text);
    currentValue = TextToFloat(text.c_str());
    currentText = std::move(text);
}

void CDescriptionOption::SetCurrentListEntry(int selected)
{
    const int index = selected < 0 ? DefaultListIndex() : selected;
    if (index < 0 || size_t(index) >= list.size()) {
        SetCurrent(defaultText);
        return;
    }
    currentText = list[size_t(index)].value;
    StripQuotesAndPercent(currentText);
    currentValue = float(index);
}
