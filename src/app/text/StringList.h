#pragma once
// Numbered texts shown to the player. A text is looked up in the string list file
// "gfx/shell/strings.lst", then in the built-in table that stands in for the
// resource library, then in the program's own table; "!game" in a text becomes the
// active custom game's name.
#include <cstdarg>
#include <map>
#include <string>

// The parsed string list: pairs of a decimal number and a text, read with the
// quoted tokenizer and comment skipping; a later line replaces an earlier one.
class StringList
{
public:
    static constexpr size_t kMaxText = 1023;

    // Adds the pairs of a NUL-terminated text; reading stops at the end of the text
    // or at a number without a text.
    void Parse(const char* text);
    void Clear() { m_texts.clear(); }
    bool IsEmpty() const { return m_texts.empty(); }
    size_t Size() const { return m_texts.size(); }
    const std::string* Find(int number) const;

private:
    std::map<int, std::string> m_texts;
};

inline constexpr const char* kStringListFile = "gfx/shell/strings.lst";

// The process-wide list that GetString reads.
StringList& LoadedStringList();
// Start-up: frees the old list and reads kStringListFile through the game file
// search; a missing file leaves the list empty. Returns whether the file was read.
bool LoadStringList();

// The text for a number, at most 1023 characters. A number known nowhere shows
// "Error Loading String: %i" and yields an empty text; while that report is being
// shown, further failing lookups stay silent.
std::string GetString(int number);
// The text formatted like printf. A text from the list file is used as a format only
// when its conversions are the built-in text's (or the first of them); otherwise the
// built-in text is used, and a list text with nothing to check against is shown as
// it stands.
std::string FormatString(int number, ...);
std::string FormatStringV(int number, va_list args);
// The integer in the position-th space-separated word of the text, counting from 0;
// 0 when there is no such word. Used for layout values kept in the string list.
int StringNumber(int number, int position);
