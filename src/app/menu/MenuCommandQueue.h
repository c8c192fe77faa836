#pragma once
// Command text that a dialog hands to the main menu (loading or saving a game): the
// menu starts the engine with it at its next idle moment.
#include <string>

void QueueMenuCommand(std::string text);
// The queued text, emptied; an empty text when nothing waits.
std::string TakeMenuCommand();
