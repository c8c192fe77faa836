#pragma once
// What the create-server dialog asks for, and the rules that turn the dialog's texts
// into safe values: host name and password lose double quotes and control characters
// (they are placed between quotes on a console line), max players is clamped to
// 2...32 without overflow, and a map list entry becomes a bare map name.
#include <string>

struct CreateServerRequest
{
    static constexpr size_t kMaxText = 63;    // host name and password
    static constexpr size_t kMaxMapName = 31;
    static constexpr int kMinPlayers = 2;
    static constexpr int kMaxPlayers = 32;
    static constexpr const char* kNoMap = "unknown";

    std::string hostName;
    int maxPlayers = kMinPlayers;
    std::string password;
    std::string map = kNoMap;
    bool dedicated = false;
    bool lan = true; // false: an Internet server

    // Fills the request from the dialog's texts.
    static CreateServerRequest FromTexts(const std::string& hostName, const std::string& maxPlayers,
                                         const std::string& password, const std::string& mapEntry, bool dedicated,
                                         bool lan);
};

// Drops double quotes and control characters, then keeps at most kMaxText characters.
std::string CleanServerText(const std::string& text);
// A number as atoi reads it, saturated and clamped to 2...32 (no number gives 2).
int ParseMaxPlayers(const std::string& text);
// The entry cut at its first '.', at most kMaxMapName characters; kNoMap when empty.
std::string MapNameFromEntry(const std::string& entry);
