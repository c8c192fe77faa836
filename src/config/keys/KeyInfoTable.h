#pragma once
// The key list gfx/shell/kb_keys.lst: for each key number its engine name, a
// description and the colour the keyboard dialog draws it in. The slot of an entry
// is its position in the file, which is the engine's key number.
#include <array>
#include <cstdint>
#include <string>

struct KeyInfo
{
    static constexpr size_t kMaxText = 63;

    std::string number;      // the first token of the entry
    std::string name;        // as written, cut to kMaxText
    std::string description; // cut to kMaxText
    uint32_t colour = 0;     // red in the low byte, then green, then blue
};

class KeyInfoTable
{
public:
    static constexpr int kMaxKeys = 256;
    static constexpr uint32_t kDefaultColour = 240u | (180u << 8) | (24u << 16);

    enum class Result
    {
        Ok,
        Missing,   // no file
        ShortEntry, // an entry cut short; the entries before it were kept
        TooMany,   // more than kMaxKeys entries; the first kMaxKeys were kept
    };

    // Parses the text of the list (NUL-terminated).
    Result Parse(const char* text);
    // Reads the list through the game file search.
    Result Load();

    int Count() const { return m_count; }
    const KeyInfo& At(int index) const { return m_keys[size_t(index)]; }
    // Position of the name (case-insensitive), or -1.
    int Find(const std::string& name) const;
    // True for names that are placeholders for unused key numbers ("<UNK...").
    static bool IsUnknownName(const std::string& name);

    // The localised message number for a failed result, 0 for Ok.
    static int MessageFor(Result result);

private:
    std::array<KeyInfo, kMaxKeys> m_keys;
    int m_count = 0;
};
