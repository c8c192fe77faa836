#include "config/player/LogoColorTable.h"

#include <strings.h>

#include <string>

const std::vector<LogoColour>& LogoColorTable()
{
    static const std::vector<LogoColour> table = {
        {"Orange", 255, 180, 24}, {"Blue", 0, 60, 255},   {"Ltblue", 0, 167, 255},  {"Green", 0, 167, 0},
        {"Red", 255, 73, 0},      {"Brown", 123, 73, 0}, {"Ltgray", 100, 100, 100}, {"Dkgray", 36, 36, 36},
    };
    return table;
}

LogoColour LogoColourByName(std::string_view name)
{
    const std::string text(name);
    for (const LogoColour& colour : LogoColorTable())
        if (strcasecmp(colour.name, text.c_str()) == 0)
            return colour;
    return {};
}
