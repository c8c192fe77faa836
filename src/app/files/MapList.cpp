#include "app/files/MapList.h"

#include "app/files/SearchPath.h"
#include "app/settings/ActiveCustomGame.h"

#include <QDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <strings.h>
#include <sys/stat.h>

MapHeaderCheck CheckMapHeader(const uint8_t* header, size_t size, int64_t mapLength)
{
    MapHeaderCheck result;
    if (size < MapHeaderCheck::kHeaderSize)
        return result;
    const int32_t version = int32_t(ReadLittle32(header));
    if (version != 29 && version != 30)
        return result;
    const int64_t offset = int32_t(ReadLittle32(header + 4));
    const int64_t length = int32_t(ReadLittle32(header + 8));
    if (length < 0 || length > MapHeaderCheck::kMaxEntityText || offset < 0)
        return result;
    // The entity text must lie within the map itself.
    if (offset > mapLength || length > mapLength - offset)
        return result;
    result.usable = true;
    result.entityOffset = offset;
    result.entityLength = length;
    return result;
}

bool MapHasSpawnEntity(const std::string& name)
{
    FILE* file = nullptr;
    const int64_t mapLength = COM_FindFile(name, nullptr, &file);
    if (mapLength < 0 || !file)
        return false;
    const long dataStart = std::ftell(file);
    uint8_t header[MapHeaderCheck::kHeaderSize];
    const size_t got = std::fread(header, 1, sizeof header, file);
    const MapHeaderCheck check = CheckMapHeader(header, got, mapLength);
    bool found = false;
    if (check.usable && std::fseek(file, dataStart + long(check.entityOffset), SEEK_SET) == 0) {
        std::string text(size_t(check.entityLength), '\0');
        if (std::fread(text.data(), 1, text.size(), file) == text.size()) {
            const ActiveCustomGameInfo* game = ActiveCustomGame();
            const std::string spawn = (game && !game->mpentity.empty()) ? game->mpentity : "info_player_deathmatch";
            found = text.find(spawn) != std::string::npos;
        }
    }
    std::fclose(file);
    return found;
}

namespace {

bool HasBspExtension(const std::string& name)
{
    return name.size() >= 4 && strcasecmp(name.c_str() + name.size() - 4, ".bsp") == 0;
}

std::string BaseName(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

bool LooseFileExists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

std::vector<GameFileRecord> ListMaps(int sources, bool check)
{
    InitSearchPath();
    std::vector<GameFileRecord> found;  // in discovery order
    for (const SearchPathEntry& entry : SearchPathEntries()) {
        const uint8_t inGame = entry.base ? 0 : GameFileRecord::kInGameDirectory;
        if (entry.pack) {
            if (!(sources & kMapsInArchives))
                continue;
            for (const PackEntry& packed : entry.pack->entries) {
                if (strncasecmp(packed.name.c_str(), "maps", 4) != 0 || !HasBspExtension(packed.name))
                    continue;
                const std::string name = "maps/" + BaseName(packed.name) + ".bsp";
                // A loose copy of the same map is listed by its directory entry.
                if (LooseFileExists(ResolveCaseInsensitive(entry.root + '/' + entry.gameDirectoryName, name)))
                    continue;
                found.push_back({name, entry.gameDirectoryName, entry.pack,
                                 uint8_t(GameFileRecord::kInArchive | inGame)});
            }
        } else {
            if (!(sources & kMapsLoose))
                continue;
            const QString folder = QString::fromStdString(ResolveCaseInsensitive(entry.directory, "maps"));
            QDir dir(folder);
            dir.setNameFilters({"*.bsp", "*.BSP", "*.Bsp"});
            const QStringList files = dir.entryList(QDir::Files, QDir::Name);
            for (const QString& file : files) {
                if (!HasBspExtension(file.toStdString()))
                    continue;
                found.push_back({"maps/" + file.toStdString(), entry.gameDirectoryName, nullptr, inGame});
            }
        }
    }

    // Records are put at the head of the result as they are found; the check pass
    // reverses the survivors once more.
    if (!check) {
        std::reverse(found.begin(), found.end());
        return found;
    }
    std::vector<GameFileRecord> kept;
    for (GameFileRecord& record : found)
        if (MapHasSpawnEntity(record.name))
            kept.push_back(std::move(record));
    return kept;
}
