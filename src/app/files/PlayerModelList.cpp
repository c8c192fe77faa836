#include "app/files/PlayerModelList.h"

#include "app/files/SearchPath.h"
#include "app/settings/ActiveCustomGame.h"

#include <QDir>

#include <algorithm>
#include <cctype>
#include <strings.h>
#include <sys/stat.h>

namespace {

std::string Lower(std::string text)
{
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool IsFile(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

std::vector<GameFileRecord> ListPlayerModels()
{
    std::vector<GameFileRecord> result;
    const ActiveCustomGameInfo* game = ActiveCustomGame();
    if (game && game->nomodels != 0)
        return result;
    const std::string wanted = (game && !game->gamedir.empty()) ? game->gamedir : "harrow";

    InitSearchPath();
    for (const SearchPathEntry& entry : SearchPathEntries()) {
        if (entry.pack) {
            for (const PackEntry& packed : entry.pack->entries) {
                const std::string& name = packed.name;
                if (name.size() < 13 || strncasecmp(name.c_str(), "models/player", 13) != 0)
                    continue;
                if (name.size() < 4 || strcasecmp(name.c_str() + name.size() - 4, ".bmp") != 0)
                    continue;
                const size_t slash = name.find_last_of('/');
                const std::string folder = name.substr(0, slash);
                const std::string base = name.substr(slash + 1, name.size() - slash - 5);
                const std::string prefix = "models/player/" + base + "/" + base;
                if (strncasecmp(name.c_str(), prefix.c_str(), prefix.size()) != 0)
                    continue;
                // A loose model overrides the archived one.
                if (IsFile(ResolveCaseInsensitive(entry.root + '/' + entry.gameDirectoryName,
                                                  folder + "/" + base + ".mdl")))
                    continue;
                result.push_back({Lower(name), entry.gameDirectoryName, entry.pack, GameFileRecord::kInArchive});
            }
        } else {
            QDir dir(QString::fromStdString(ResolveCaseInsensitive(entry.directory, "models/player")));
            const QStringList folders = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
            for (const QString& folder : folders) {
                if (folder.startsWith('.'))
                    continue;
                const std::string name = folder.toStdString();
                result.push_back({Lower("models/player/" + name + "/" + name + ".bmp"), entry.gameDirectoryName,
                                  nullptr, 0});
            }
        }
    }
    std::reverse(result.begin(), result.end());

    // When any model belongs to the wanted game directory, only those remain.
    const bool anyWanted = std::any_of(result.begin(), result.end(), [&](const GameFileRecord& r) {
        return strcasecmp(r.gameDirectoryName.c_str(), wanted.c_str()) == 0;
    });
    if (anyWanted)
        result.erase(std::remove_if(result.begin(), result.end(),
                                    [&](const GameFileRecord& r) {
                                        return strcasecmp(r.gameDirectoryName.c_str(), wanted.c_str()) != 0;
                                    }),
                     result.end());
    return result;
}
