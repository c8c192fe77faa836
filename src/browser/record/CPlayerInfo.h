#pragma once
// One player of a game server, as its players reply or the server list file gave it.
#include <cstdint>
#include <string>

class CToken;

class CPlayerInfo
{
public:
    explicit CPlayerInfo(std::string playerName = "unknown") : name(std::move(playerName)) {}
    virtual ~CPlayerInfo() = default;

    // Keys "name", "id", "colors", "frags", "time" (any case); others are ignored.
    void SetField(const std::string& key, const std::string& value);
    // Appends the player block for slot index (text form of the server list file).
    void Write(int index, std::string& out) const;
    // Reads "{", key/value pairs, "}". False on a damaged block.
    bool Read(CToken& cursor);

    std::string name;
    int32_t id = 0;
    int32_t colors = 0;
    int32_t frags = 0;
    int32_t time = 0; // seconds connected
    double replyTime = 0.0;
};
