#pragma once
// The key chooser's typing search: a letter or digit selects the next name that
// begins with it (letters in any case), going on from the last match while the same
// character is typed again and starting over from the top for another one.
#include <string>
#include <vector>

class KeySearch
{
public:
    // The index of the name to select, or -1 when none begins with the character.
    int Next(const std::vector<std::string>& names, char typed);

private:
    char m_last = 0;
    int m_lastMatch = -1;
};
