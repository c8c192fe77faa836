#pragma once
// The values of the active custom game that other subsystems consult (its name in
// texts, its game directory, the spawn class of its multiplayer maps, whether it has
// player models of its own). The custom game catalogue sets it when a game is chosen.
#include <optional>
#include <string>

struct ActiveCustomGameInfo
{
    std::string game;      // display name ("game" value)
    std::string gamedir;   // game directory
    std::string mpentity;  // spawn class of multiplayer maps; empty for the default
    int nomodels = 0;      // nonzero: no player models are listed
    std::string type = {}; // "type" value, e.g. "multiplayer_only"
};

const ActiveCustomGameInfo* ActiveCustomGame();
void SetActiveCustomGame(std::optional<ActiveCustomGameInfo> info);
