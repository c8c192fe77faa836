#pragma once
// The datagrams of the custom-game master (list pages, download notices) and of the
// per-game counts a master server gives. Pure functions over bytes.
#include "mods/catalogue/CModRecord.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline constexpr int kModListBufferSize = 2048;
inline constexpr int kModCountBufferSize = 8192;
inline constexpr uint8_t kModListRequest = 'n';
inline constexpr uint8_t kModListReply = 'o';
inline constexpr uint8_t kModDownloadNotice = 'p';
inline constexpr uint8_t kModCountRequest = 'x';
inline constexpr uint8_t kModCountReply = 'y';
// FF FF FF FF, type, one unused byte, next position (4), record count (2).
inline constexpr int kModListHeader = 12;
// Keys of one record beyond which the rest of the page is not read.
inline constexpr int kMaxModKeys = 256;
inline constexpr size_t kMaxCountDir = 255;
inline constexpr size_t kMaxCountNumber = 127;
inline constexpr const char* kCountStart = "start-of-list";
inline constexpr const char* kCountEnd = "end-of-list";
inline constexpr const char* kCountMore = "more-in-list";

std::vector<uint8_t> ComposeModListRequest(int32_t position);
std::vector<uint8_t> ComposeDownloadNotice(int32_t uniqueId);
// "x\r\n<key>\r\n" and a zero byte; the key is cut to kMaxCountDir characters.
std::vector<uint8_t> ComposeModCountRequest(const std::string& key);

struct ModListPage
{
    int32_t next = 0;
    std::vector<CModRecord> records; // kept records, in reply order, already checked
    int dropped = 0;                 // records without "game"/"gamedir" or failing the checks
};
// No value for a datagram that is not a whole list reply header.
std::optional<ModListPage> ParseModListReply(const uint8_t* data, size_t size);

struct ModCountTriple
{
    std::string gamedir;
    std::string servers;
    std::string players;
};
struct ModCountPage
{
    std::vector<ModCountTriple> triples;
    bool more = false; // ended with "more-in-list"
};
// No value for a datagram that is not a count reply.
std::optional<ModCountPage> ParseModCountReply(const uint8_t* data, size_t size);
// Adds the page's numbers to the records' "servers" and "players" (triples with an
// empty number are skipped); sums saturate at the 32-bit limits.
void ApplyModCounts(ModList& list, const ModCountPage& page);
