#pragma once
// The skin's named colours from "gfx/shell/colors.lst": groups of a name and red,
// green and blue numbers (each taken modulo 256), read with the quoted tokenizer and
// comment skipping. Names compare ignoring case; a later entry wins.
#include <cstdint>
#include <string>
#include <vector>

struct Colour
{
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const Colour&) const = default;
};

class ColourList
{
public:
    static constexpr size_t kMaxName = 31;
    // Every name when the list holds no entry at all.
    static constexpr Colour kEmptyListColour{127, 127, 127};
    // A name the list lacks and the built-in table does not know.
    static constexpr Colour kUnknownColour{56, 56, 56};

    // Adds the groups of a NUL-terminated text; reading stops at the end of the text
    // or at a group without its blue value.
    void Parse(const char* text);
    void Clear() { m_entries.clear(); }
    bool IsEmpty() const { return m_entries.empty(); }
    size_t Size() const { return m_entries.size(); }
    // The colour for a name: the list, then the built-in defaults.
    Colour Get(const std::string& name) const;

private:
    struct Entry
    {
        std::string name;
        Colour colour;
    };
    std::vector<Entry> m_entries; // newest last
};

inline constexpr const char* kColourListFile = "gfx/shell/colors.lst";

ColourList& LoadedColourList();
// Start-up: frees the old list and reads kColourListFile through the game file
// search; a missing file leaves the list empty. Returns whether the file was read.
bool LoadColourList();
Colour GetColour(const std::string& name);
