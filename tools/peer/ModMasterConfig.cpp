#include "peer/ModMasterConfig.h"

#include "platform/NumberText.h"

#include <map>

std::optional<HostileModMaster> ParseHostileModMaster(const std::string& text)
{
    static const std::map<std::string, HostileModMaster> kinds = {
        {"none", HostileModMaster::None},           {"wrong-header", HostileModMaster::WrongHeader},
        {"truncated", HostileModMaster::Truncated}, {"count", HostileModMaster::CountBeyond},
        {"negative", HostileModMaster::NegativeCount}, {"endless", HostileModMaster::EndlessPages},
        {"same-next", HostileModMaster::SameNext},  {"flood", HostileModMaster::Flood},
        {"silent", HostileModMaster::Silent},       {"ff", HostileModMaster::FfStrings},
    };
    const auto found = kinds.find(text);
    return found == kinds.end() ? std::nullopt : std::optional(found->second);
}

std::optional<HostileModCounts> ParseHostileModCounts(const std::string& text)
{
    static const std::map<std::string, HostileModCounts> kinds = {
        {"none", HostileModCounts::None},     {"more-forever", HostileModCounts::MoreForever},
        {"same-key", HostileModCounts::SameKey}, {"silent", HostileModCounts::Silent},
        {"junk", HostileModCounts::Junk},
    };
    const auto found = kinds.find(text);
    return found == kinds.end() ? std::nullopt : std::optional(found->second);
}

std::optional<std::vector<std::pair<std::string, std::string>>> ParseModGame(const std::string& text)
{
    if (text.empty() || text[0] != '\\')
        return std::nullopt;
    std::vector<std::string> parts;
    size_t start = 1;
    for (;;) {
        const size_t slash = text.find('\\', start);
        parts.push_back(text.substr(start, slash == std::string::npos ? std::string::npos : slash - start));
        if (slash == std::string::npos)
            break;
        start = slash + 1;
    }
    if (parts.size() % 2 != 0)
        return std::nullopt;
    std::vector<std::pair<std::string, std::string>> game;
    for (size_t i = 0; i < parts.size(); i += 2)
        game.emplace_back(parts[i], parts[i + 1]);
    return game;
}

std::optional<ModCount> ParseModCount(const std::string& text)
{
    const size_t a = text.find(':');
    const size_t b = a == std::string::npos ? a : text.find(':', a + 1);
    if (a == std::string::npos || b == std::string::npos || a == 0)
        return std::nullopt;
    return ModCount{text.substr(0, a), ParseInt(text.substr(a + 1, b - a - 1)), ParseInt(text.substr(b + 1))};
}
