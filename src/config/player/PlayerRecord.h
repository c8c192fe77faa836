#pragma once
// The player record beside the player configuration (ThePlayerConfig): the favourites
// file, the chosen spray logo and its colour. One instance exists while the launcher
// runs; start-up creates it from the settings "Logo" and "Logo Color".
#include <optional>
#include <string>

struct PlayerRecord
{
    static constexpr const char* kFavouritesFile = "favsvrs.dat";
    static constexpr const char* kLogoSetting = "Logo";
    static constexpr const char* kLogoColourSetting = "Logo Color";
    static constexpr const char* kDefaultLogoColour = "Orange";

    std::string favouritesFile; // favsvrs.dat in the base directory
    std::string logo = "None";  // a file name in the logo folder, or "None"
    std::string logoColour = kDefaultLogoColour;
};

// Null until CreatePlayerRecord has run.
PlayerRecord* ThePlayerRecord();
// Reads the logo and its colour from the settings and sets the favourites path.
void CreatePlayerRecord();
void SetPlayerRecord(std::optional<PlayerRecord> record);
