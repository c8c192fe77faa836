#pragma once
// Numbered texts shown to the player.
#include <string>

// The text for a number (empty when the number is known nowhere).
std::string GetString(int number);
// The text formatted like printf with the arguments.
std::string FormatString(int number, ...);
