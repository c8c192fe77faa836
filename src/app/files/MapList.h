#pragma once
// Listing of map files and the check that a map suits multiplayer (it holds a
// deathmatch spawn point).
#include "app/files/PackFile.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct GameFileRecord
{
    enum Flags : uint8_t
    {
        kInArchive = 1,        // found inside an archive
        kInGameDirectory = 2,  // found in the game directory rather than the base
    };
    std::string name;               // relative name, e.g. maps/x.bsp
    std::string gameDirectoryName;  // where it was found
    std::shared_ptr<PackFile> pack; // the archive that holds it, if any
    uint8_t flags = 0;
};

enum MapSources : int
{
    kMapsLoose = 1,
    kMapsInArchives = 2,
};

struct MapHeaderCheck
{
    static constexpr size_t kHeaderSize = 124; // version + 15 (offset, length) pairs
    static constexpr int64_t kMaxEntityText = 16 * 1024 * 1024;
    bool usable = false;
    int64_t entityOffset = 0;
    int64_t entityLength = 0;
};

// Checks a map header (version 29 or 30, entity text of sane size that lies within
// a map of mapLength bytes).
MapHeaderCheck CheckMapHeader(const uint8_t* header, size_t size, int64_t mapLength);

bool MapHasSpawnEntity(const std::string& name);
std::vector<GameFileRecord> ListMaps(int sources, bool check);
