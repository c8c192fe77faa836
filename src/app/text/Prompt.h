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

// Answer values: the first button or the second one, or none when the prompt ended
// without an answer (a termination signal closed it, or nobody is there to answer).
// Every question puts the change it asks about on the first button ("Delete it?"
// Yes), so callers act only on kPromptFirst: no answer changes nothing.
inline constexpr int kPromptNone = 0;
inline constexpr int kPromptFirst = 1;
inline constexpr int kPromptSecond = 2;

class Prompt
{
public:
    virtual ~Prompt() = default;
    virtual int Show(const std::string& text, PromptButtons buttons) = 0;
};

// Prints the text on standard error; used until a window system is up, and by the
// command-line tools. A message (one button) is acknowledged with that button; a
// question gets no answer, since nobody can give one.
class StderrPrompt : public Prompt
{
public:
    int Show(const std::string& text, PromptButtons buttons) override;
};

// The prompt in use; never null. Passing nullptr restores the standard-error prompt.
Prompt& CurrentPrompt();
void SetPrompt(Prompt* prompt);
