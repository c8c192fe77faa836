#pragma once
// The filter text a list request carries: an info text ("\key\value" pairs) built
// from the player's filter choices, so the master leaves out what the list would hide.
#include <cstddef>
#include <string>

constexpr size_t kMaxInfoKeyOrValue = 127;
constexpr size_t kMaxInfoText = 2047; // a pair that would make the text reach 2048 is not added

struct MasterFilterChoices
{
    bool dedicatedOnly = false;
    bool gameFilter = false;
    std::string gameName;
    bool mapFilter = false;
    std::string mapName;
    bool linuxOnly = false;
    bool hideEmpty = false;
    bool hideFull = false;
    bool proxyFilter = false;
    bool proxiesOnly = false;
};

// Sets key to value in an info text: an earlier pair with that key is removed first.
// Keys or values with a backslash or a double quote, or longer than 127 characters,
// are refused (false), as is a pair that would make the text too long.
bool SetInfoValueForKey(std::string& info, const std::string& key, const std::string& value);
// Removes every pair with that key.
void RemoveInfoKey(std::string& info, const std::string& key);

// The filter text for the choices; empty when none of them applies.
std::string BuildMasterFilterText(const MasterFilterChoices& choices);
