#pragma once
// Reads the "GameHeader" record of a save file: its map name and comment.
#include <cstddef>
#include <cstdint>
#include <string>

struct SaveHeader
{
    std::string mapName; // at most 31 characters
    std::string comment; // at most 79 characters
    // The saved data after the "GameHeader" record.
    size_t payloadOffset = 0;
    size_t payloadSize = 0;
};

// Checks the magic, the version, the size limits, that every token, record and field
// lies inside the buffer, the "GameHeader" record, and that map name and comment are
// not empty. Never reads outside [data, data + size).
bool ParseSaveHeader(const uint8_t* data, size_t size, SaveHeader& header);

// The same for a file on disk; false when it cannot be read or is too large.
bool ReadSaveHeader(const std::string& path, SaveHeader& header);
