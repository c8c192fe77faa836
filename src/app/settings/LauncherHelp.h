#pragma once
// "kestrel --help" (also "-?" and "-help"): a summary of the command line, printed
// before any window system is needed. The launcher's own options are searched for
// anywhere in the command line, so these words are matched whole, word by word.
#include <string>

bool LauncherHelpAsked(int argc, const char* const* argv);
std::string LauncherHelpText();
