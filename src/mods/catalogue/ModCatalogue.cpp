#include "mods/catalogue/ModCatalogue.h"

#include "app/files/SearchPath.h"
#include "app/settings/ActiveCustomGame.h"
#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"
#include "app/text/Messages.h"
#include "app/text/StringList.h"
#include "mods/catalogue/Liblist.h"

#include <QDir>

namespace {

ModList g_installed;
CModRecord* g_base = nullptr;
CModRecord* g_current = nullptr;

std::string Upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return text;
}

// Publishes the values other subsystems read from the active game.
void PublishActive()
{
    if (!g_current) {
        SetActiveCustomGame(std::nullopt);
        return;
    }
    ActiveCustomGameInfo info;
    info.game = g_current->GetKeyText("game");
    info.gamedir = g_current->GetKeyText("gamedir");
    info.mpentity = g_current->GetKeyText("mpentity");
    info.nomodels = g_current->GetKeyInt("nomodels");
    info.type = g_current->GetKeyText("type");
    SetActiveCustomGame(std::move(info));
}

} // namespace

ModList& InstalledMods()
{
    return g_installed;
}

CModRecord* BaseGameRecord()
{
    return g_base;
}

CModRecord* CurrentMod()
{
    return g_current;
}

ModHooks& CurrentModHooks()
{
    static ModHooks hooks;
    return hooks;
}

void ClearInstalledMods()
{
    g_installed.clear();
    g_base = nullptr;
    g_current = nullptr;
    SetActiveCustomGame(std::nullopt);
}

void ScanInstalledMods(const std::string& baseDirectory)
{
    ClearInstalledMods();
    const QDir base(QString::fromStdString(baseDirectory));
    const QStringList names = base.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : names) {
        if (name.startsWith('.'))
            continue;
        const std::string directory = name.toStdString();
        const std::string path = ResolveCaseInsensitive(baseDirectory + '/' + directory, "liblist.gam");
        std::optional<CModRecord> record = ReadLiblist(Upper(directory), path);
        if (!record)
            continue;
        g_installed.push_front(std::move(*record));
        if (SameText(directory, kBaseGameDirectory))
            g_base = &g_installed.front();
    }
    std::string game;
    if (FindOption("-game", &game) && !game.empty()) {
        if (CModRecord* found = FindModByDir(g_installed, game)) {
            g_current = found;
        }
    }
    PublishActive();
}

std::string GameDirectoryPath(const std::string& baseDirectory, const std::string& gamedir)
{
    return ResolveCaseInsensitive(baseDirectory, gamedir);
}

void ForgetCurrentMod()
{
    g_current = nullptr;
    PublishActive();
}

bool SetCurrentMod(CModRecord* record)
{
    if (record == g_current)
        return true;
    ModHooks& hooks = CurrentModHooks();
    if (hooks.gameInProgress && hooks.gameInProgress()) {
        if (CurrentPrompt().Show(GetString(kMsgEndGameInProgress), PromptButtons::OkCancel) != kPromptFirst)
            return false;
        if (hooks.endGame)
            hooks.endGame();
    }
    g_current = record;
    if (hooks.savePlayerConfig)
        hooks.savePlayerConfig();
    LauncherState& launcher = Launcher();
    if (record) {
        const std::string gamedir = record->GetKeyText("gamedir");
        RemoveOption("-game");
        AppendOption("-game", gamedir);
        InitSearchPath();
        AddGameDirectory(false, launcher.baseDirectory, gamedir);
    } else {
        RemoveOption("-game");
        ResetSearchPath();
        InitSearchPath();
    }
    PublishActive();
    if (hooks.refreshMenu)
        hooks.refreshMenu();
    return true;
}
