#pragma once
// The maps the stand-in engine can start: "maps/NAME.bsp" in the game directory or the
// base directory "harrow" (relative to the working directory, which the launcher sets
// to its base directory), as a loose file or inside one of their pakN.pak archives.
// Names and folders are matched without regard to letter case.
#include <string>

class GameMaps
{
public:
    static constexpr const char* kBaseDirectory = "harrow";
    static constexpr int kMaxArchives = 100;
    static constexpr size_t kMaxMapName = 63;

    explicit GameMaps(std::string gameDirectory) : m_gameDirectory(std::move(gameDirectory)) {}

    // True when the map exists. Names with path separators, "..", control
    // characters or over kMaxMapName characters never do.
    bool Exists(const std::string& map) const;

private:
    std::string m_gameDirectory;
};
