#include "browser/master/MasterProtocol.h"

#include <QHostAddress>

#include <cstring>
#include <strings.h>

namespace {

constexpr uint8_t kSeparator[4] = {0xFF, 0xFF, 0xFF, 0xFF};

MasterEntry ReadEntry(const uint8_t* p)
{
    return MasterEntry{DottedFromBytes(p), (int(p[4]) << 8) | int(p[5])};
}

void PutEntry(std::vector<uint8_t>& out, const MasterEntry& entry)
{
    const auto bytes = BytesFromDotted(entry.address).value_or(std::array<uint8_t, 4>{});
    out.insert(out.end(), bytes.begin(), bytes.end());
    out.push_back(uint8_t((entry.port >> 8) & 0xFF));
    out.push_back(uint8_t(entry.port & 0xFF));
}

void PutHeader(std::vector<uint8_t>& out, int type)
{
    out.insert(out.end(), std::begin(kSeparator), std::end(kSeparator));
    out.push_back(uint8_t(type));
    out.push_back(0);
}

} // namespace

std::string DottedFromBytes(const uint8_t* bytes)
{
    return std::to_string(bytes[0]) + '.' + std::to_string(bytes[1]) + '.' + std::to_string(bytes[2]) + '.' +
           std::to_string(bytes[3]);
}

std::optional<std::array<uint8_t, 4>> BytesFromDotted(const std::string& dotted)
{
    QHostAddress address;
    if (!address.setAddress(QString::fromStdString(dotted)) || address.protocol() != QAbstractSocket::IPv4Protocol)
        return std::nullopt;
    const quint32 ip = address.toIPv4Address();
    return std::array<uint8_t, 4>{uint8_t(ip >> 24), uint8_t(ip >> 16), uint8_t(ip >> 8), uint8_t(ip)};
}

void WriteMasterListRequest(CMessageBuffer& msg, int32_t key, std::string_view filter)
{
    if (filter.empty()) {
        msg.WriteByte(kMasterListRequest);
        msg.WriteLong(key);
        return;
    }
    msg.WriteByte(kMasterFilteredListRequest);
    msg.WriteLong(key);
    msg.WriteString(std::string(filter.substr(0, kMaxMasterFilter)));
}

void WriteServerDataRequest(CMessageBuffer& msg, const std::string& version, const std::string& shortTitle)
{
    msg.WriteByte(kServerDataRequest);
    msg.WriteString(version);
    msg.WriteString(shortTitle);
}

std::optional<int> MasterReplyType(const uint8_t* data, size_t size)
{
    if (size < 5 || std::memcmp(data, kSeparator, 4) != 0)
        return std::nullopt;
    return int(data[4]);
}

std::optional<MasterListBatch> ParseMasterListBatch(const uint8_t* data, size_t size)
{
    if (MasterReplyType(data, size) != kMasterListReply || size < kMasterListHeader)
        return std::nullopt;
    MasterListBatch batch;
    const uint8_t* k = data + kMasterReplyHeader;
    batch.nextKey = int32_t(uint32_t(k[0]) | (uint32_t(k[1]) << 8) | (uint32_t(k[2]) << 16) | (uint32_t(k[3]) << 24));
    // The count the master implies, (size - 6) / 6, can reach past the datagram's
    // end: only whole entries are read.
    const size_t implied = (size - kMasterReplyHeader) / kMasterEntryBytes;
    const size_t whole = (size - kMasterListHeader) / kMasterEntryBytes;
    const size_t n = implied < whole ? implied : whole;
    batch.entries.reserve(n);
    for (size_t i = 0; i < n; ++i)
        batch.entries.push_back(ReadEntry(data + kMasterListHeader + i * kMasterEntryBytes));
    return batch;
}

std::optional<ServerDataReply> ParseServerDataReply(const uint8_t* data, size_t size)
{
    if (MasterReplyType(data, size) != kServerDataReply || size < kMasterReplyHeader)
        return std::nullopt;
    ServerDataReply reply;
    const size_t textLength = std::strlen(kOutOfDate);
    if (size >= kMasterReplyHeader + textLength &&
        strncasecmp(reinterpret_cast<const char*>(data + kMasterReplyHeader), kOutOfDate, textLength) == 0) {
        reply.outOfDate = true;
        return reply;
    }
    const size_t framing = kMasterReplyHeader + kServerDataGroups * sizeof kSeparator;
    size_t budget = size > framing ? (size - framing) / kMasterEntryBytes : 0;
    size_t at = kMasterReplyHeader;
    int group = 0;
    while (group < kServerDataGroups && at + sizeof kSeparator <= size) {
        if (std::memcmp(data + at, kSeparator, sizeof kSeparator) == 0) {
            at += sizeof kSeparator;
            ++group;
            continue;
        }
        if (budget == 0 || at + kMasterEntryBytes > size)
            break;
        reply.groups[size_t(group)].push_back(ReadEntry(data + at));
        at += kMasterEntryBytes;
        --budget;
    }
    return reply;
}

std::vector<uint8_t> BuildMasterListBatch(int32_t nextKey, const std::vector<MasterEntry>& entries)
{
    std::vector<uint8_t> out;
    PutHeader(out, kMasterListReply);
    const uint32_t k = uint32_t(nextKey);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(uint8_t(k >> shift));
    for (const MasterEntry& entry : entries)
        PutEntry(out, entry);
    return out;
}

std::vector<uint8_t> BuildServerDataReply(const ServerDataReply& reply)
{
    std::vector<uint8_t> out;
    PutHeader(out, kServerDataReply);
    if (reply.outOfDate) {
        out.insert(out.end(), kOutOfDate, kOutOfDate + std::strlen(kOutOfDate) + 1);
        return out;
    }
    for (const auto& group : reply.groups) {
        for (const MasterEntry& entry : group)
            PutEntry(out, entry);
        out.insert(out.end(), std::begin(kSeparator), std::end(kSeparator));
    }
    return out;
}

namespace {
// Loads a request datagram into a message buffer for reading.
bool Load(CMessageBuffer& msg, const uint8_t* data, size_t size)
{
    if (size == 0 || size > size_t(msg.Capacity()))
        return false;
    msg.Clear();
    std::memcpy(msg.Data(), data, size);
    msg.SetSize(int(size));
    msg.BeginReading();
    return true;
}
} // namespace

std::optional<MasterListQuery> ParseMasterListRequest(const uint8_t* data, size_t size)
{
    CMessageBuffer msg(kMasterBufferSize);
    if (!Load(msg, data, size))
        return std::nullopt;
    const int type = msg.ReadByte();
    if (type != kMasterListRequest && type != kMasterFilteredListRequest)
        return std::nullopt;
    MasterListQuery query;
    query.key = msg.ReadLong();
    if (type == kMasterFilteredListRequest)
        query.filter = msg.ReadString();
    if (msg.BadRead())
        return std::nullopt;
    return query;
}

std::optional<ServerDataQuery> ParseServerDataRequest(const uint8_t* data, size_t size)
{
    CMessageBuffer msg(kMasterBufferSize);
    if (!Load(msg, data, size) || msg.ReadByte() != kServerDataRequest)
        return std::nullopt;
    ServerDataQuery query;
    query.version = msg.ReadString();
    query.shortTitle = msg.ReadString();
    if (msg.BadRead())
        return std::nullopt;
    return query;
}
