#pragma once
// The spray logos of the folder "logos" in the base directory: their listing and
// loading.
#include "config/player/LogoBitmap.h"

#include <optional>
#include <string>
#include <vector>

inline constexpr const char* kNoLogo = "None";

// The folder that holds the logos and pldecal.wad, as it is spelled on disk.
std::string LogoFolder();

// Names of the files in the logo folder whose names end in ".bmp" in any letter case,
// sorted, so the first logo is always the same one.
std::vector<std::string> ListLogos();

// The logo to show for the record's logo: that name, or the first logo when it is
// "None" and logos exist. Its position in the list (0 when absent).
int CurrentLogoIndex(const std::vector<std::string>& logos, const std::string& recordLogo);
// The name at a position; "None" outside the list.
std::string LogoAt(const std::vector<std::string>& logos, int index);

// Reads and checks the named logo file and tints its preview with the colour. No
// value for a name that is not a plain file name, a file over 5192 bytes, one that
// cannot be read or one that ParseLogo refuses.
std::optional<LogoBitmap> LoadLogo(const std::string& name, const LogoColour& colour, LogoRefusal* why = nullptr);
