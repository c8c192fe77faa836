#pragma once
// One option of a description: a console variable with its prompt, type, limits or
// choices, default and current values, and whether it is user information.
#include "app/text/CToken.h"

#include <string>
#include <vector>

enum class OptionType : int
{
    None = 0,
    Bool = 1,
    Number = 2,
    List = 3,
    String = 4,
};

struct TypeKeyword
{
    OptionType code;
    const char* keyword;
};
// "BOOL", "NUMBER", "LIST", "STRING"; looked up ignoring case, first match wins.
extern const TypeKeyword TypeKeywordTable[4];
OptionType LookUpTypeKeyword(const char* keyword);

struct CDescriptionListEntry
{
    static constexpr size_t kMaxLabel = 127;
    static constexpr size_t kMaxValue = 255;
    std::string label;
    std::string value;
};

// Removes every double quote and percent sign; the result is at most 4095 characters.
void StripQuotesAndPercent(std::string& text);
inline constexpr size_t kMaxStrippedText = 4095;

// atof whose result is stored in a float: values beyond the float range become
// infinities instead of an undefined conversion.
float TextToFloat(const char* text);
// printf "%f" of a float.
std::string FloatText(float value);

class CDescriptionOption
{
public:
    static constexpr float kNoLimit = -1.0f;
    static constexpr size_t kMaxConfigValue = 2047;

    OptionType type = OptionType::Bool;
    std::string cvar;
    std::string prompt;
    std::vector<CDescriptionListEntry> list;
    float min = 0;
    float max = 0;
    std::string defaultText;
    float defaultValue = 0;
    std::string currentText;
    float currentValue = 0;
    bool setInfo = false;

    // Parses one option block with its own tokenizer from position; on success the
    // position is moved past the closing brace. Reports brace and type errors.
    bool ParseOption(const char*& position);

    // The value as the settings file and the configuration file take it: BOOL "1" or
    // "0", NUMBER clamped to its limits and formatted "%f", LIST the chosen entry's
    // value ("0.0" when there is none), STRING the current text.
    std::string ValueText() const;
    // The option's block of the layout script; strips quotes and percent signs from
    // the texts it writes, in place.
    void WriteLayout(std::string& out);

    // Dialog confirmation: the text becomes the current text (without quotes and
    // percent signs) and its atof the current value.
    void SetCurrent(std::string text);
    // Dialog confirmation of a LIST: the chosen entry's value becomes the current
    // text and its index the current value, so the writers find the same entry.
    // With no selection (-1) the default index is used; past the end, the default.
    void SetCurrentListEntry(int selected);
    // The entry index of the current value, or -1 when it names no entry.
    int CurrentListIndex() const;
    int DefaultListIndex() const;

    // Sets the default and current texts to text and both values to its atof.
    void SetDefault(const std::string& text);
};
