#pragma once
// How the peer custom-game master answers: the games it lists, page by page, the
// per-game counts the master server port gives, and hostile behaviour of both.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

enum class HostileModMaster
{
    None,
    WrongHeader,   // replies start with FE FF FF FF
    Truncated,     // replies cut inside their header
    CountBeyond,   // the record count runs past the data
    NegativeCount, // the record count is negative
    EndlessPages,  // every page names a new next position, for ever
    SameNext,      // every page names the same next position
    Flood,         // every request gets a burst of copies
    Silent,        // nothing
    FfStrings,     // FF bytes inside the strings
};

enum class HostileModCounts
{
    None,
    MoreForever, // every reply names a new game and "more-in-list"
    SameKey,     // every reply ends "more-in-list" after the key it was asked
    Silent,
    Junk,        // a datagram of another type
};

struct ModCount
{
    std::string gamedir;
    int servers = 0;
    int players = 0;
};

struct ModMasterConfig
{
    static constexpr int kFloodCopies = 64;
    uint16_t port = 27011;   // 0: any free port
    int pageSize = 2;        // records per list page
    HostileModMaster hostile = HostileModMaster::None;
    // Each game as its key/value pairs in order.
    std::vector<std::vector<std::pair<std::string, std::string>>> games;
    // What the master server's port says about running games (count replies).
    std::vector<ModCount> counts;
    int countPageSize = 2;
    HostileModCounts countHostile = HostileModCounts::None;
    std::string noticeLog; // a file the download notices are appended to (empty: none)
};

std::optional<HostileModMaster> ParseHostileModMaster(const std::string& text);
std::optional<HostileModCounts> ParseHostileModCounts(const std::string& text);
// A game written "\key\value\key\value..."; no value when malformed.
std::optional<std::vector<std::pair<std::string, std::string>>> ParseModGame(const std::string& text);
// "gamedir:servers:players".
std::optional<ModCount> ParseModCount(const std::string& text);
