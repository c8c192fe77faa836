#include "peer/ModMasterResponder.h"

#include "mods/master/ModMasterProtocol.h"
#include "platform/NumberText.h"

#include <cstring>
#include <strings.h>

namespace {

void PutLong(std::vector<uint8_t>& out, int32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(uint32_t(value) >> (8 * i)));
}

void PutString(std::vector<uint8_t>& out, const std::string& text, bool hostileFf)
{
    for (size_t i = 0; i < text.size(); ++i) {
        out.push_back(uint8_t(text[i]));
        if (hostileFf && i == 0)
            out.push_back(0xFF);
    }
    out.push_back(0);
}

std::vector<uint8_t> Game(const std::vector<std::pair<std::string, std::string>>& game, bool ff)
{
    std::vector<uint8_t> out;
    for (const auto& [key, value] : game) {
        PutString(out, key, ff);
        PutString(out, value, ff);
    }
    out.push_back(0);
    return out;
}

int32_t ReadLong(const uint8_t* p)
{
    return int32_t(uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24));
}

} // namespace

PeerDatagrams ModMasterReplies(const uint8_t* data, size_t size, const ModMasterConfig& config,
                               std::optional<int32_t>* notice)
{
    if (size >= 5 && data[0] == kModDownloadNotice) {
        if (notice)
            *notice = ReadLong(data + 1);
        return {};
    }
    if (size < 5 || data[0] != kModListRequest || config.hostile == HostileModMaster::Silent)
        return {};
    const int32_t position = ReadLong(data + 1);
    const bool ff = config.hostile == HostileModMaster::FfStrings;
    std::vector<uint8_t> body;
    int count = 0;
    size_t index = position < 0 ? config.games.size() : size_t(position);
    if (config.hostile == HostileModMaster::EndlessPages) {
        // A new game on every page.
        const std::string n = FormatInt(position);
        body = Game({{"game", "Endless " + n}, {"gamedir", "endless" + n}}, false);
        count = 1;
    } else {
        while (index < config.games.size() && count < config.pageSize) {
            const std::vector<uint8_t> game = Game(config.games[index], ff);
            if (kModListHeader + body.size() + game.size() > size_t(kModListBufferSize))
                break;
            body.insert(body.end(), game.begin(), game.end());
            ++count;
            ++index;
        }
    }
    int32_t next = index < config.games.size() ? int32_t(index) : 0;
    if (config.hostile == HostileModMaster::EndlessPages)
        next = position + 1;
    if (config.hostile == HostileModMaster::SameNext)
        next = 7;
    int16_t declared = int16_t(count);
    if (config.hostile == HostileModMaster::CountBeyond)
        declared = int16_t(count + 50);
    if (config.hostile == HostileModMaster::NegativeCount)
        declared = -5;
    std::vector<uint8_t> reply{0xFF, 0xFF, 0xFF, 0xFF, kModListReply, 0};
    if (config.hostile == HostileModMaster::WrongHeader)
        reply[0] = 0xFE;
    PutLong(reply, next);
    reply.push_back(uint8_t(uint16_t(declared) & 0xFF));
    reply.push_back(uint8_t(uint16_t(declared) >> 8));
    reply.insert(reply.end(), body.begin(), body.end());
    if (config.hostile == HostileModMaster::Truncated)
        reply.resize(8);
    if (config.hostile == HostileModMaster::Flood)
        return PeerDatagrams(size_t(ModMasterConfig::kFloodCopies), reply);
    return {reply};
}

PeerDatagrams ModCountReplies(const uint8_t* data, size_t size, const ModMasterConfig& config)
{
    if (size < 4 || data[0] != kModCountRequest || config.countHostile == HostileModCounts::Silent)
        return {};
    if (config.countHostile == HostileModCounts::Junk)
        return {{0xFF, 0xFF, 0xFF, 0xFF, 'z', 0}};
    // "x\r\n<key>\r\n\0"
    std::string key(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data), size));
    key = key.size() >= 5 ? key.substr(3, key.size() - 5) : std::string();
    std::vector<uint8_t> reply{0xFF, 0xFF, 0xFF, 0xFF, kModCountReply, 0};
    if (config.countHostile == HostileModCounts::MoreForever) {
        const std::string dir = key + "x";
        PutString(reply, dir.substr(0, 200), false);
        PutString(reply, "1", false);
        PutString(reply, "1", false);
        PutString(reply, kCountMore, false);
        return {reply};
    }
    if (config.countHostile == HostileModCounts::SameKey) {
        PutString(reply, key, false);
        PutString(reply, "1", false);
        PutString(reply, "1", false);
        PutString(reply, kCountMore, false);
        return {reply};
    }
    size_t start = 0;
    if (::strcasecmp(key.c_str(), kCountStart) != 0) {
        for (size_t i = 0; i < config.counts.size(); ++i)
            if (::strcasecmp(config.counts[i].gamedir.c_str(), key.c_str()) == 0) {
                start = i + 1;
                break;
            }
    }
    size_t i = start;
    for (; i < config.counts.size() && int(i - start) < config.countPageSize; ++i) {
        PutString(reply, config.counts[i].gamedir, false);
        PutString(reply, FormatInt(config.counts[i].servers), false);
        PutString(reply, FormatInt(config.counts[i].players), false);
    }
    PutString(reply, i < config.counts.size() ? kCountMore : kCountEnd, false);
    return {reply};
}
