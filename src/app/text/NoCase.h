#pragma once
// Comparisons of ASCII names (game folders, room names) that ignore letter case.
#include <string>

bool EqualsNoCase(const std::string& a, const std::string& b);
bool StartsWithNoCase(const std::string& text, const std::string& prefix);
