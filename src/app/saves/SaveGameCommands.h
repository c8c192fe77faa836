#pragma once
// What the load and save lists decide: the command text handed to the main menu, after
// the confirmations and refusals the player sees.
#include "app/saves/SavedGameList.h"

#include <string>
#include <vector>

// Engine connection states (status record offset 312).
inline constexpr int kConnectionNone = 0;
inline constexpr int kConnectionIdle = 1;
inline constexpr int kConnectionPlaying = 5;

// A game is in progress unless the connection state is 0 or 1.
bool GameInProgress(int connectionState);

// "disconnect\nload %s\n" while a game is in progress, otherwise "load %s\n".
std::string LoadCommandText(const std::string& fileName, bool gameInProgress);
// "save %s\n".
std::string SaveCommandText(const std::string& fileName);

// The load list: the saved games; message 139 when the folder grew while reading.
std::vector<SaveGameEntry> LoadDialogEntries(const std::string& folder);
// The save list: the new-save entry (named with NextFreeSaveName, texts 385, 386 and
// 387) followed by the saved games; message 352 when the folder grew while reading.
std::vector<SaveGameEntry> SaveDialogEntries(const std::string& folder);

// The command for loading the chosen entry (nullptr: none chosen), or an empty text
// when nothing is to be done: no choice, or the player refused to leave the game
// in progress (message 238).
std::string ChooseLoadCommand(const SaveGameEntry* chosen, int connectionState);

// The command for saving into entry chosen of the save list (−1: none), or an empty
// text: message 56 without a choice, 358 when no game is being played (connection
// state not 5 or the game not active), and a refusal of 359 (overwrite an existing
// save, any entry but the first).
std::string ChooseSaveCommand(const std::vector<SaveGameEntry>& list, int chosen, int connectionState, int activeWord);
