#include "config/server/AdvancedServerOptions.h"

#include "app/files/SearchPath.h"
#include "app/settings/ActiveCustomGame.h"
#include "app/settings/LauncherState.h"

std::unique_ptr<CServerDescription> LoadServerOptions()
{
    auto description = std::make_unique<CServerDescription>();
    if (!description->ReadFromFile(CServerDescription::kScriptFile))
        return nullptr;
    return description;
}

std::string ServerOptionsDirectory()
{
    const ActiveCustomGameInfo* game = ActiveCustomGame();
    if (game && !game->gamedir.empty())
        return ResolveCaseInsensitive(Launcher().baseDirectory, game->gamedir);
    // The file search holds the game directory as it is spelled on disk.
    InitSearchPath();
    for (const SearchPathEntry& entry : SearchPathEntries())
        if (!entry.base && !entry.pack && !entry.directory.empty())
            return entry.directory;
    return Launcher().gameDirectory;
}

bool SaveServerOptions(CServerDescription& description)
{
    return description.Save(ServerOptionsDirectory());
}
