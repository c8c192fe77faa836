#pragma once
// Loading and saving the player configuration: the key name table from
// gfx/shell/kb_keys.lst, default bindings from gfx/shell/kb_def.lst, and config.cfg
// in the game directory, which is read, edited and written back whole so the
// player's own lines survive. Every write is atomic; a failed one is reported to the
// player and leaves the old file as it was.
#include "config/player/ConfigFile.h"
#include "config/player/PlayerConfig.h"

#include <optional>
#include <string>

inline constexpr const char* kPlayerConfigFile = "config.cfg";
inline constexpr const char* kDefaultBindingsFile = "gfx/shell/kb_def.lst";
// "%s could not be written; the old file was kept."
inline constexpr int kConfigWriteFailedMessage = 652;

// The key name table: slot i holds the name of key number i, empty when none.
const ConfigFile::KeyNames& KeyNameTable();
// The slot of a key name (case-insensitive), or -1.
int KeyNameSlot(const std::string& name);

enum class KeyNamesResult
{
    Ok,
    Missing,    // the list is missing: the table loaded before stays
    ShortEntry, // reported with message 16; the entries before it are used
    TooMany,    // reported with message 17
};
// Fills the key name table and the key names of the player configuration's slots.
KeyNamesResult LoadKeyNames();
// LoadKeyNames, then the default commands of kb_def.lst into the player configuration.
void LoadDefaultBindings();
// The default commands of kb_def.lst into the bindings of a configuration (the key
// names must be filled); a missing file is reported (348) and gives false.
bool ReadDefaultBindings(PlayerConfig& config);
// The same from the text of the list (NUL-terminated).
void ParseDefaultBindings(const char* text, PlayerConfig& config);

// Builds the player configuration: defaults, then config.cfg. A missing file gets
// the default bindings and is written; a file that exists but cannot be read is left
// alone (the defaults are used, and later saves refuse to replace it). Returns false
// only when the key name list is missing.
bool LoadPlayerConfig();
// Writes the bindings and the owned variables into config.cfg; false (reported to
// the player) when the file could not be read or written.
bool SavePlayerConfig();
// The connection rate chosen in the Internet games dialog: saved when it differs.
bool SavePlayerRate(int rate);
// Reads the owned variables from config.cfg again (after another writer changed it).
bool ReloadPlayerVariables();

// Read-edit-write of one variable of a configuration file in the game directory.
bool SetConfigValue(const std::string& fileName, const std::string& cvar, const std::string& value, bool setInfo);
// The value of the variable that stands last in the file, or none.
std::optional<std::string> GetConfigValue(const std::string& fileName, const std::string& cvar);

// Where a file of the game directory is written: base directory, the game directory
// as it is spelled on disk, the file name.
std::string GameFilePath(const std::string& fileName);
