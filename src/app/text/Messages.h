#pragma once
// Numbered messages shown to the player in the prompt dialog.
#include "app/text/Prompt.h"

int ShowMessage(int number, PromptButtons buttons = PromptButtons::Ok);
// The text formatted as FormatString does, shown with one button.
int ShowFormattedMessage(int number, ...);
// Shows a text that has no number (a few start-up messages).
int ShowText(const std::string& text, PromptButtons buttons = PromptButtons::Ok);
