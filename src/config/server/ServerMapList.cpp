#include "config/server/ServerMapList.h"

#include "app/settings/ActiveCustomGame.h"
#include "app/text/TextCase.h"
#include "config/server/CreateServerRequest.h"

#include <QString>

#include <algorithm>
#include <cctype>
#include <strings.h>

namespace {

constexpr const char* kBaseGameDirectory = "harrow";
constexpr size_t kMapsPrefix = 5; // "maps/"

bool IsMapNameCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '+';
}

} // namespace

std::string ServerMapGameDirectory()
{
    const ActiveCustomGameInfo* game = ActiveCustomGame();
    return game && !game->gamedir.empty() ? game->gamedir : kBaseGameDirectory;
}

bool IsListableMapEntry(const std::string& entry)
{
    // The server is started with the part before the first '.', so a name with a dot
    // of its own ("a.b.bsp") would start another map: only the ".bsp" may follow.
    std::string name = entry;
    if (name.size() >= 4 && strcasecmp(name.c_str() + name.size() - 4, ".bsp") == 0)
        name.resize(name.size() - 4);
    if (name.empty() || name.size() > CreateServerRequest::kMaxMapName)
        return false;
    return std::all_of(name.begin(), name.end(), IsMapNameCharacter);
}

std::vector<std::string> ChooseServerMaps(const std::vector<GameFileRecord>& records, const std::string& gameDirectory)
{
    const auto inGame = [&](const GameFileRecord& r) {
        return strcasecmp(r.gameDirectoryName.c_str(), gameDirectory.c_str()) == 0;
    };
    const bool gameHasMaps = std::any_of(records.begin(), records.end(), inGame);
    std::vector<std::string> maps;
    for (const GameFileRecord& record : records) {
        if (inGame(record) != gameHasMaps)
            continue;
        if (record.name.size() <= kMapsPrefix || strncasecmp(record.name.c_str(), "maps", 4) != 0)
            continue;
        std::string entry = LowerText(record.name.substr(kMapsPrefix));
        if (IsListableMapEntry(entry))
            maps.push_back(std::move(entry));
    }
    std::sort(maps.begin(), maps.end(),
              [](const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) < 0; });
    maps.erase(std::unique(maps.begin(), maps.end()), maps.end());
    return maps;
}

std::vector<std::string> ListServerMaps()
{
    return ChooseServerMaps(ListMaps(kMapsLoose | kMapsInArchives, true), ServerMapGameDirectory());
}
