#pragma once
// The OpenGL driver choices of "gldrv/drvmap.txt": one "library description" per line.
#include <string>
#include <string_view>
#include <vector>

struct DriverChoice
{
    std::string library;
    std::string description;
};

inline constexpr const char* kDriverMapFile = "gldrv/drvmap.txt";
inline constexpr size_t kMaxDriverLibrary = 259;
inline constexpr size_t kMaxDriverDescription = 255;
inline constexpr size_t kMaxDriverChoices = 256;

// Each non-empty line gives the library (up to the first space) and the description
// (the rest of the line); a line that starts with a space names no library and is
// skipped. Longer texts are cut; at most kMaxDriverChoices choices.
std::vector<DriverChoice> ParseDriverMap(std::string_view text);

// Reads the map from the working directory; the single choice "Default" / "Default"
// when the file is missing or names no driver.
std::vector<DriverChoice> LoadDriverMap();
