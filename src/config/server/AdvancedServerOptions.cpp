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
    const std::string name = game && !game->gamedir.empty() ? game->gamedir : Launcher().gameDirectory;
    return ResolveCaseInsensitive(Launcher().baseDirectory, name);
}

bool SaveServerOptions(CServerDescription& description)
{
    return description.Save(ServerOptionsDirectory());
}
