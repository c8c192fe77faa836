#include "mods/master/ModMasterProtocol.h"

#include "mods/catalogue/ReceivedModCheck.h"
#include "online/buffers/CMessageBuffer.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <strings.h>
#include <utility>
#include <vector>

namespace {

void PutLong(std::vector<uint8_t>& out, int32_t value)
{
    const uint32_t v = uint32_t(value);
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

bool HasHeader(const uint8_t* data, size_t size, uint8_t type)
{
    return size >= 6 && data[0] == 0xFF && data[1] == 0xFF && data[2] == 0xFF && data[3] == 0xFF && data[4] == type;
}

// A zero-terminated string starting at pos, cut to limit characters; false when the
// data ends before its terminator.
bool ReadCString(const uint8_t* data, size_t size, size_t& pos, size_t limit, std::string& out)
{
    const void* end = pos < size ? std::memchr(data + pos, 0, size - pos) : nullptr;
    if (!end)
        return false;
    const size_t length = size_t(static_cast<const uint8_t*>(end) - (data + pos));
    out.assign(reinterpret_cast<const char*>(data + pos), std::min(length, limit));
    pos += length + 1;
    return true;
}

} // namespace

std::vector<uint8_t> ComposeModListRequest(int32_t position)
{
    std::vector<uint8_t> out{kModListRequest};
    PutLong(out, position);
    return out;
}

std::vector<uint8_t> ComposeDownloadNotice(int32_t uniqueId)
{
    std::vector<uint8_t> out{kModDownloadNotice};
    PutLong(out, uniqueId);
    return out;
}

std::vector<uint8_t> ComposeModCountRequest(const std::string& key)
{
    const std::string text = std::string(1, char(kModCountRequest)) + "\r\n" + key.substr(0, kMaxCountDir) + "\r\n";
    std::vector<uint8_t> out(text.begin(), text.end());
    out.push_back(0);
    return out;
}

std::optional<ModListPage> ParseModListReply(const uint8_t* data, size_t size)
{
    if (size < size_t(kModListHeader) || !HasHeader(data, size, kModListReply))
        return std::nullopt;
    const size_t used = std::min<size_t>(size, kModListBufferSize);
    CMessageBuffer buffer(kModListBufferSize);
    std::memcpy(buffer.Data(), data, used);
    buffer.SetSize(int(used));
    buffer.BeginReading();
    buffer.ReadLong();
    buffer.ReadByte();
    buffer.ReadByte();
    ModListPage page;
    page.next = buffer.ReadLong();
    const int count = buffer.ReadShort();
    std::vector<std::pair<std::string, std::string>> pairs;
    for (int i = 0; i < count; ++i) {
        pairs.clear();
        bool whole = false;
        for (int keys = 0; keys < kMaxModKeys; ++keys) {
            std::string key = buffer.ReadString();
            if (buffer.BadRead())
                break;
            if (key.empty()) {
                whole = true;
                break;
            }
            std::string value = buffer.ReadString();
            if (buffer.BadRead())
                break;
            pairs.emplace_back(std::move(key), std::move(value));
        }
        if (!whole) {
            // A record cut short by the end of the datagram (a count beyond the data).
            ++page.dropped;
            break;
        }
        // A record is built (defaults and all) only when it names a game and a
        // directory: a hostile count of empty records then costs next to nothing.
        const auto names = [&pairs](const char* name) {
            return std::any_of(pairs.begin(), pairs.end(),
                               [name](const auto& pair) { return !pair.second.empty() && SameText(pair.first, name); });
        };
        if (!names("game") || !names("gamedir")) {
            ++page.dropped;
            continue;
        }
        CModRecord record;
        for (const auto& pair : pairs)
            record.SetKey(pair.first, pair.second);
        if (record.GetKeyText("game").empty() || record.GetKeyText("gamedir").empty() || !CheckReceivedMod(record)) {
            ++page.dropped;
            continue;
        }
        page.records.push_back(std::move(record));
    }
    return page;
}

std::optional<ModCountPage> ParseModCountReply(const uint8_t* data, size_t size)
{
    if (!HasHeader(data, size, kModCountReply))
        return std::nullopt;
    ModCountPage page;
    size_t pos = 6;
    for (;;) {
        std::string dir;
        if (!ReadCString(data, size, pos, kMaxCountDir, dir))
            break;
        if (::strcasecmp(dir.c_str(), kCountEnd) == 0)
            break;
        if (::strcasecmp(dir.c_str(), kCountMore) == 0) {
            page.more = true;
            break;
        }
        if (dir.empty() && pos >= size)
            break;
        ModCountTriple triple;
        triple.gamedir = dir;
        if (!ReadCString(data, size, pos, kMaxCountNumber, triple.servers) ||
            !ReadCString(data, size, pos, kMaxCountNumber, triple.players))
            break;
        page.triples.push_back(std::move(triple));
    }
    return page;
}

void ApplyModCounts(ModList& list, const ModCountPage& page)
{
    const auto add = [](int a, int b) {
        const int64_t sum = int64_t(a) + int64_t(b);
        return int(std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
    };
    for (const ModCountTriple& triple : page.triples) {
        if (triple.servers.empty() || triple.players.empty())
            continue;
        CModRecord* record = FindModByDir(list, triple.gamedir);
        if (!record)
            continue;
        record->SetKey("servers", FormatInt(add(record->GetKeyInt("servers"), ParseInt(triple.servers))));
        record->SetKey("players", FormatInt(add(record->GetKeyInt("players"), ParseInt(triple.players))));
    }
}
