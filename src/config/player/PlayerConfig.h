#pragma once
// The player's configuration in memory: key bindings and the console variables the
// launcher owns in config.cfg. One instance exists while the launcher runs.
#include <array>
#include <optional>
#include <string>

struct PlayerBinding
{
    std::string keyName;                // from the key name table; empty for unused numbers
    std::optional<std::string> command; // none: the key is not bound
};

struct PlayerConfig
{
    static constexpr int kSlots = 256;
    static constexpr size_t kMaxKeyName = 31;
    static constexpr size_t kMaxText = 259; // model and name

    std::array<PlayerBinding, kSlots> bindings;

    float mPitch = 0.022f;
    float lookstrafe = 0;
    float lookspring = 0;
    float crosshair = 1;
    float windowedMouse = 0;
    float mFilter = 0;
    float mlook = 1; // "+mlook" in the file
    float jlook = 1; // "+jlook" in the file
    float joystick = 0;
    float svAim = 1;
    float console = 0;
    float clHimodels = 0;
    float dSpriteskip = 0;
    float sensitivity = 3;
    float viewsize = 120;
    float brightness = 1;
    float gamma = 2.5f;
    float bgmvolume = 1;
    float suitvolume = 0.25f;
    float hisound = 1;
    float volume = 0.8f;
    float sA3d = 0;
    float sEax = 0;
    float rate = 2500;
    float voiceScale = 0.75f;
    float voiceModenable = 1;
    std::string model = "pilgrim";
    int topcolor = 30;
    int bottomcolor = 6;
    std::string name = "Player";
};

// The variables of config.cfg that the player configuration owns, in the order they
// are saved. Exactly one of the three members is set.
struct PlayerVariable
{
    const char* cvar;
    float PlayerConfig::*number;
    int PlayerConfig::*integer;
    std::string PlayerConfig::*text;
};
inline constexpr int kPlayerVariableCount = 28;
const std::array<PlayerVariable, kPlayerVariableCount>& PlayerVariables();

// The running launcher's configuration; null until LoadPlayerConfig has run.
PlayerConfig* ThePlayerConfig();
// Replaces it (null removes it).
void SetPlayerConfig(std::optional<PlayerConfig> config);
// The defaults, before any file is read: "console" follows the command line.
PlayerConfig DefaultPlayerConfig();
