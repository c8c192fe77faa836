#pragma once
// The stand-in engine's saved games: files in the "SAVE" folder of the game directory
// named by "-game" on the engine's command line (relative to the working directory,
// which the launcher sets to its base directory), in the save-file format the
// launcher's lists read.
#include "app/saves/SaveGameWriter.h"

#include <string>

class GameSaves
{
public:
    static constexpr size_t kMaxFileName = 63;
    static constexpr const char* kDefaultGame = "harrow";
    static constexpr const char* kFolderName = "SAVE";
    static constexpr const char* kExtension = ".sav";

    explicit GameSaves(const std::string& commandLine);

    const std::string& GameDirectory() const { return m_gameDirectory; }
    // The save folder, ending with '/'; an existing folder of another case is used.
    std::string Folder() const;

    // The file name for a name given to "save" or "load": ".sav" is added when the
    // name has no extension. Empty for names that would leave the folder or are empty
    // or too long.
    static std::string FileName(const std::string& name);

    // Writes the save atomically; false with a reason on failure.
    bool Save(const std::string& fileName, const SaveGameInfo& info, std::string& reason) const;
    // Reads a save back; false with a reason when it is missing or damaged.
    bool Load(const std::string& fileName, SaveGameInfo& info, std::string& reason) const;

private:
    std::string m_gameDirectory;
};
