#include "GameMaps.h"

#include "app/files/PackFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace {

bool UsableName(const std::string& map)
{
    if (map.empty() || map.size() > GameMaps::kMaxMapName || map == "." || map == "..")
        return false;
    if (map.find_first_of("/\\:") != std::string::npos)
        return false;
    return std::none_of(map.begin(), map.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

// The entry of folder whose name matches name regardless of case; empty when none.
QString FindEntry(const QDir& folder, const QString& name, QDir::Filters filters)
{
    const QStringList entries = folder.entryList(filters | QDir::NoDotAndDotDot);
    const auto found = std::find_if(entries.begin(), entries.end(), [&name](const QString& entry) {
        return entry.compare(name, Qt::CaseInsensitive) == 0;
    });
    return found == entries.end() ? QString() : *found;
}

bool LooseMapExists(const std::string& directory, const std::string& map)
{
    const QDir game(QString::fromStdString(directory));
    const QString maps = FindEntry(game, QStringLiteral("maps"), QDir::Dirs);
    if (maps.isEmpty())
        return false;
    return !FindEntry(QDir(game.filePath(maps)), QString::fromStdString(map + ".bsp"), QDir::Files).isEmpty();
}

bool ArchivedMapExists(const std::string& directory, const std::string& map)
{
    const std::string wanted = "maps/" + map + ".bsp";
    for (int i = 0; i < GameMaps::kMaxArchives; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "pak%i.pak", i);
        const std::string path = directory + "/" + name;
        if (!QFileInfo(QString::fromStdString(path)).isFile())
            break;
        const std::optional<PackFile> pack = ReadPackFile(path);
        if (!pack)
            continue;
        for (const PackEntry& entry : pack->entries) {
            if (PackNameMatches(entry.name, wanted))
                return true;
        }
    }
    return false;
}

} // namespace

bool GameMaps::Exists(const std::string& map) const
{
    if (!UsableName(map))
        return false;
    for (const std::string& directory : {m_gameDirectory, std::string(kBaseDirectory)}) {
        if (LooseMapExists(directory, map) || ArchivedMapExists(directory, map))
            return true;
    }
    return false;
}
