#include "browser/master/MasterFilterText.h"

#include <vector>

namespace {

struct Pair
{
    std::string key;
    std::string value;
};

std::vector<Pair> Split(const std::string& info)
{
    std::vector<Pair> pairs;
    size_t at = 0;
    auto field = [&] {
        if (at < info.size() && info[at] == '\\')
            ++at;
        const size_t end = std::min(info.find('\\', at), info.size());
        std::string text = info.substr(at, end - at);
        at = end;
        return text;
    };
    while (at < info.size()) {
        Pair pair;
        pair.key = field();
        pair.value = field();
        pairs.push_back(std::move(pair));
    }
    return pairs;
}

std::string Join(const std::vector<Pair>& pairs)
{
    std::string info;
    for (const Pair& pair : pairs)
        info += '\\' + pair.key + '\\' + pair.value;
    return info;
}

bool Acceptable(const std::string& text)
{
    return text.size() <= kMaxInfoKeyOrValue && text.find_first_of("\\\"") == std::string::npos;
}

} // namespace

void RemoveInfoKey(std::string& info, const std::string& key)
{
    std::vector<Pair> pairs = Split(info);
    std::erase_if(pairs, [&](const Pair& pair) { return pair.key == key; });
    info = Join(pairs);
}

bool SetInfoValueForKey(std::string& info, const std::string& key, const std::string& value)
{
    if (!Acceptable(key) || !Acceptable(value))
        return false;
    std::string updated = info;
    RemoveInfoKey(updated, key);
    const std::string pair = '\\' + key + '\\' + value;
    if (updated.size() + pair.size() > kMaxInfoText)
        return false;
    info = updated + pair;
    return true;
}

std::string BuildMasterFilterText(const MasterFilterChoices& c)
{
    std::string info;
    if (c.dedicatedOnly)
        SetInfoValueForKey(info, "type", "d");
    if (c.gameFilter && !c.gameName.empty())
        SetInfoValueForKey(info, "gamedir", c.gameName);
    if (c.mapFilter && !c.mapName.empty())
        SetInfoValueForKey(info, "map", c.mapName);
    if (c.linuxOnly)
        SetInfoValueForKey(info, "linux", "1");
    if (c.hideEmpty)
        SetInfoValueForKey(info, "empty", "1");
    if (c.hideFull)
        SetInfoValueForKey(info, "full", "1");
    if (c.proxyFilter && c.proxiesOnly)
        SetInfoValueForKey(info, "type", "p");
    return info;
}
