#pragma once
// How the launcher shows a message to the player and gets an answer. The skinned
// prompt dialog implements it in the running program; tests record what was asked.
#include <string>

enum class PromptButtons
{
    Ok,        // one button
    OkCancel,  // two buttons
    YesNo,     // two buttons
};

// Answer values: the first button or the second one.
inline constexpr int kPromptFirst = 1;
inline constexpr int kPromptSecond = 2;

class Prompt
{
public:
    virtual ~Prompt() = default;
    virtual int Show(const std::string& text, PromptButtons buttons) = 0;
};

// Prints the text on standard error and answers with the first button; used until a
// window system is up, and by the command-line tools.
class StderrPrompt : public Prompt
{
public:
    int Show(const std::string& text, PromptButtons buttons) override;
};

// The prompt in use; never null. Passing nullptr restores the standard-error prompt.
Prompt& CurrentPrompt();
void SetPrompt(Prompt* prompt);
