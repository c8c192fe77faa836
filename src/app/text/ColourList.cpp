#include "app/text/ColourList.h"

#include "app/files/SearchPath.h"
#include "app/text/CToken.h"
#include "platform/NumberText.h"

#include <memory>
#include <strings.h>

namespace {

ColourList g_colours;

struct BuiltinColour
{
    const char* name;
    Colour colour;
};

const BuiltinColour kBuiltinColours[] = {
    {"PROMPT_TEXT_COLOR", {255, 180, 24}}, {"PROMPT_TITLE_COLOR", {0, 0, 0}},
    {"PROMPT_BG_COLOR", {56, 56, 56}},     {"INPUT_TEXT_COLOR", {240, 180, 24}},
    {"INPUT_BG_COLOR", {56, 56, 56}},      {"REFRESH_TITLE_COLOR", {240, 180, 24}},
    {"REFRESH_TEXT_COLOR", {0, 0, 0}},     {"REFRESH_BG_COLOR", {127, 127, 127}},
};

uint8_t Channel(const char* text)
{
    return uint8_t(unsigned(ParseInt(text)) & 0xFFu);
}

} // namespace

void ColourList::Parse(const char* text)
{
    CToken token(text);
    token.SetQuoted(true);
    token.SetSkipComments(true);
    for (;;) {
        Entry entry;
        token.NextToken();
        if (token.Empty())
            return;
        entry.name = std::string(token.Token()).substr(0, kMaxName);
        uint8_t* channels[] = {&entry.colour.red, &entry.colour.green, &entry.colour.blue};
        for (uint8_t* channel : channels) {
            token.NextToken();
            if (token.Empty())
                return;
            *channel = Channel(token.Token());
        }
        m_entries.push_back(std::move(entry));
    }
}

Colour ColourList::Get(const std::string& name) const
{
    if (m_entries.empty())
        return kEmptyListColour;
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it)
        if (strcasecmp(it->name.c_str(), name.c_str()) == 0)
            return it->colour;
    for (const BuiltinColour& builtin : kBuiltinColours)
        if (strcasecmp(builtin.name, name.c_str()) == 0)
            return builtin.colour;
    return kUnknownColour;
}

ColourList& LoadedColourList()
{
    return g_colours;
}

bool LoadColourList()
{
    g_colours.Clear();
    const std::unique_ptr<char[]> text = LoadFile(kColourListFile);
    if (!text)
        return false;
    g_colours.Parse(text.get());
    return true;
}

Colour GetColour(const std::string& name)
{
    return g_colours.Get(name);
}
