#pragma once
// The spray logo colours the player may choose, in the order they are offered, and
// the 24-bit colour of each name.
#include <cstdint>
#include <string_view>
#include <vector>

struct LogoColour
{
    const char* name = "";
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

// "Orange", "Blue", "Ltblue", "Green", "Red", "Brown", "Ltgray", "Dkgray".
const std::vector<LogoColour>& LogoColorTable();
// The colour of a name, compared ignoring case; any other name is black (and keeps
// the name "").
LogoColour LogoColourByName(std::string_view name);
