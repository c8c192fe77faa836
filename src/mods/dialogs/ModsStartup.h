#pragma once
// Start-up of the custom games: the installed games are read, the active one taken
// from the command line, the engine and menu hooks set, and the Configure dialog gets
// its "Custom games" button.
#include <functional>

void InstallCustomGames();
// The main menu's button refresh, called when the active game changes (nullptr: none).
void SetCustomGameMenuRefresh(std::function<void()> refresh);
