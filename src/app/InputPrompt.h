#pragma once
// How the launcher asks the player for a line of text (a server password). The skinned
// input dialog implements it in the running program; tests script the answers.
#include <string>

class InputPrompt
{
public:
    virtual ~InputPrompt() = default;
    // Shows the text and waits for an answer; false when the player cancels.
    virtual bool Ask(const std::string& text, std::string& answer) = 0;
};

// Answers every question with a cancel; in use until a window system is up.
class CancellingInputPrompt : public InputPrompt
{
public:
    bool Ask(const std::string&, std::string&) override { return false; }
};

// The input prompt in use; never null. Passing nullptr restores the cancelling one.
InputPrompt& CurrentInputPrompt();
void SetInputPrompt(InputPrompt* prompt);
