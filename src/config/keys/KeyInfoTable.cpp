#include "config/keys/KeyInfoTable.h"

#include "app/files/SearchPath.h"
#include "app/text/CToken.h"
#include "platform/NumberText.h"

#include <strings.h>

namespace {

constexpr const char* kKeyListFile = "gfx/shell/kb_keys.lst";

std::string Cut(const char* text, size_t limit)
{
    std::string value(text);
    if (value.size() > limit)
        value.resize(limit);
    return value;
}

uint32_t ColourByte(const char* text)
{
    const int32_t value = ParseInt(text);
    return uint32_t(value < 0 ? 0 : value > 255 ? 255 : value);
}

} // namespace

bool KeyInfoTable::IsUnknownName(const std::string& name)
{
    return strncasecmp(name.c_str(), "<UNK", 4) == 0;
}

KeyInfoTable::Result KeyInfoTable::Parse(const char* text)
{
    m_count = 0;
    CToken token(text);
    token.SetQuoted(true);
    for (;;) {
        token.NextToken();
        if (token.Empty())
            return Result::Ok;
        if (m_count >= kMaxKeys)
            return Result::TooMany;
        KeyInfo entry;
        entry.number = Cut(token.Token(), KeyInfo::kMaxText);
        token.NextToken();
        if (token.Empty())
            return Result::ShortEntry;
        entry.name = Cut(token.Token(), KeyInfo::kMaxText);
        token.NextToken();
        if (token.Empty())
            return Result::ShortEntry;
        entry.description = Cut(token.Token(), KeyInfo::kMaxText);
        token.NextToken();
        if (token.Empty())
            return Result::ShortEntry;
        entry.colour = kDefaultColour;
        if (strncasecmp(token.Token(), "COLOR", 5) == 0) {
            uint32_t rgb[3] = {};
            for (uint32_t& part : rgb) {
                token.NextToken();
                if (token.Empty())
                    return Result::ShortEntry;
                part = ColourByte(token.Token());
            }
            entry.colour = rgb[0] | (rgb[1] << 8) | (rgb[2] << 16);
        }
        m_keys[size_t(m_count++)] = std::move(entry);
    }
}

KeyInfoTable::Result KeyInfoTable::Load()
{
    const std::unique_ptr<char[]> text = LoadFile(kKeyListFile);
    if (!text) {
        m_count = 0;
        return Result::Missing;
    }
    return Parse(text.get());
}

int KeyInfoTable::Find(const std::string& name) const
{
    for (int i = 0; i < m_count; ++i)
        if (strcasecmp(m_keys[size_t(i)].name.c_str(), name.c_str()) == 0)
            return i;
    return -1;
}

int KeyInfoTable::MessageFor(Result result)
{
    switch (result) {
    case Result::Missing:
        return 15;
    case Result::ShortEntry:
        return 16;
    case Result::TooMany:
        return 17;
    default:
        return 0;
    }
}
