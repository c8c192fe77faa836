#pragma once
// The datagrams exchanged with a master server, as pure builders and parsers.
//
//   to the master:   'e' long key                      list request, no filter
//                    '1' long key, string filter       list request with a filter
//                    'v' string version, string title  server-data request
//   from the master: FF FF FF FF 'f' x  long next key, then 6-byte entries
//                    FF FF FF FF 'w' x  "outofdate", or three groups of 6-byte
//                                       entries, each group ended by FF FF FF FF
// An entry is an IPv4 address (first byte first) and a big-endian port. A next key
// of 0 marks the last batch.
#include "online/buffers/CMessageBuffer.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

constexpr int kMasterBufferSize = 8192;
constexpr size_t kMaxMasterFilter = 1023; // the socket's filter field holds no more
constexpr int kMasterListRequest = 'e';
constexpr int kMasterFilteredListRequest = '1';
constexpr int kServerDataRequest = 'v';
constexpr int kMasterListReply = 'f';
constexpr int kServerDataReply = 'w';
constexpr size_t kMasterEntryBytes = 6;
constexpr size_t kMasterReplyHeader = 6; // FF FF FF FF, type, one spare byte
constexpr size_t kMasterListHeader = 10; // the reply header and the next key
constexpr int kServerDataGroups = 3;     // Auth, Pylon, Master
constexpr const char* kOutOfDate = "outofdate";

struct MasterEntry
{
    std::string address; // dotted IPv4
    int port = 0;
    bool operator==(const MasterEntry&) const = default;
};

struct MasterListBatch
{
    int32_t nextKey = 0;
    std::vector<MasterEntry> entries;
};

struct ServerDataReply
{
    bool outOfDate = false;
    // Auth, Pylon and Master addresses, in datagram order.
    std::array<std::vector<MasterEntry>, kServerDataGroups> groups;
};

// Appends a list request ('e' without a filter, '1' with one; the filter is cut to
// kMaxMasterFilter characters).
void WriteMasterListRequest(CMessageBuffer& msg, int32_t key, std::string_view filter);
// Appends a server-data request.
void WriteServerDataRequest(CMessageBuffer& msg, const std::string& version, const std::string& shortTitle);

// The type byte of a master reply ('f', 'w', ...), or no value when the datagram
// does not start with the long -1 and a type.
std::optional<int> MasterReplyType(const uint8_t* data, size_t size);
// A list batch; no value for another datagram or one too short for its key. Only
// entries that lie wholly inside the datagram are read.
std::optional<MasterListBatch> ParseMasterListBatch(const uint8_t* data, size_t size);
// A server-data reply; no value for another datagram or one shorter than its header. Reading stops at the third
// group's end, at (size - 18) / 6 entries, or where an entry is cut off.
std::optional<ServerDataReply> ParseServerDataReply(const uint8_t* data, size_t size);

// Reply builders, used by the test master and by tests.
std::vector<uint8_t> BuildMasterListBatch(int32_t nextKey, const std::vector<MasterEntry>& entries);
std::vector<uint8_t> BuildServerDataReply(const ServerDataReply& reply);
// Reads a list request ('e' or '1'); no value for anything else.
struct MasterListQuery
{
    int32_t key = 0;
    std::string filter;
};
std::optional<MasterListQuery> ParseMasterListRequest(const uint8_t* data, size_t size);
struct ServerDataQuery
{
    std::string version;
    std::string shortTitle;
};
std::optional<ServerDataQuery> ParseServerDataRequest(const uint8_t* data, size_t size);

// "a.b.c.d" from four bytes, and the four bytes of a dotted address (no value for
// text that is not one).
std::string DottedFromBytes(const uint8_t* bytes);
std::optional<std::array<uint8_t, 4>> BytesFromDotted(const std::string& dotted);
