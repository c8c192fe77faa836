#pragma once
// Writes save files in the format the save list reads: a token table naming the
// records and fields, a "GameHeader" record with "comment", "mapName" and "time",
// then the engine's own data.
#include <string>

struct SaveGameInfo
{
    std::string mapName;      // 1 to 31 characters
    std::string comment;      // shown as title and time; cut to 79 characters
    float elapsedSeconds = 0; // the "time" field
    std::string payload;      // the engine's saved state, stored after the header record
};

// The title cut or padded to 73 characters, a space and "mm:ss" (minutes up to 99):
// the comment form whose last five characters the lists show as the elapsed time.
std::string SaveComment(const std::string& title, int elapsedSeconds);

// The bytes of a save file; empty when the map name or comment is empty, the map name
// is longer than 31 characters, or the payload does not fit the format's sizes.
std::string BuildSaveFile(const SaveGameInfo& info);

// Builds the file and writes it atomically, creating its folder; false on any failure
// (nothing is left behind then).
bool WriteSaveGame(const std::string& path, const SaveGameInfo& info);

// Reads back what WriteSaveGame wrote (map name, comment and payload).
bool ReadSaveGame(const std::string& path, SaveGameInfo& info);
