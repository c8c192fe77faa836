#include "app/menu/MainMenuModel.h"

#include "app/settings/ActiveCustomGame.h"
#include "app/settings/CommandLine.h"
#include "app/text/Messages.h"

#include <algorithm>
#include <cstdio>
#include <strings.h>

namespace {

constexpr int kConnectionIdle = 1;
constexpr int kEngineRunningState = 1;
constexpr int kEngineSuspendedState = 2;

// The strip order of "btns_main" for the shown choices, then the hidden ones.
const std::vector<MainMenuChoice> kChoices = {
    {kMenuQuickStart, "Quick Start", 0},
    {kMenuInternetGames, "&Internet Games", 1},
    {kMenuLanGames, "&Lan Games", 2},
    {kMenuChatRooms, "C&hat Rooms", 3},
    {kMenuConfigure, "&Configure Kestrel", 4},
    {kMenuReadme, "&View Readme", 5},
    {kMenuManual, "&VREL Manual", 6},
    {kMenuReturnToGame, "&Return To Game", 7},
    {kMenuConsole, "Console", 8},
    {kMenuQuit, "&Quit", 9},
    {kMenuMinimise, "", -1},
    {kMenuClose, "", -1},
    {kMenuMultiplayer, "&Multiplayer", -1},
    {kMenuNewGame, "&New Game", -1},
    {kMenuOrder, "&Order Kestrel", -1},
    {kMenuLoadGame, "&Load Game", -1},
    {kMenuLoadSaveGame, "Load or &Save Game", -1},
    {kMenuPreviews, "Previews", -1},
    {kMenuCustomGame, "Custom Game", -1},
    {kMenuFriends, "Friends", -1},
    {kMenuTraining, "Training Course", -1},
};

bool AlwaysHidden(int id)
{
    switch (id) {
    case kMenuMultiplayer:
    case kMenuNewGame:
    case kMenuOrder:
    case kMenuLoadGame:
    case kMenuLoadSaveGame:
    case kMenuPreviews:
    case kMenuCustomGame:
    case kMenuFriends:
    case kMenuTraining:
        return true;
    default:
        return false;
    }
}

} // namespace

MainMenuModel::MainMenuModel() : m_console(FindOption("-console")), m_noPrompt(FindOption("-noprompt"))
{
}

const std::vector<MainMenuChoice>& MainMenuModel::Choices()
{
    return kChoices;
}

const MainMenuChoice* MainMenuModel::Choice(int id)
{
    const auto found = std::find_if(kChoices.begin(), kChoices.end(), [id](const auto& c) { return c.id == id; });
    return found == kChoices.end() ? nullptr : &*found;
}

bool MainMenuModel::GameInProgress(const MenuSituation& situation)
{
    const bool loaded = situation.engineState == kEngineRunningState || situation.engineState == kEngineSuspendedState;
    return loaded && situation.connectionState != kConnectionIdle && !situation.multiplayerOnly;
}

bool MainMenuModel::Visible(int id, bool gameInProgress) const
{
    if (!Choice(id) || AlwaysHidden(id))
        return false;
    switch (id) {
    case kMenuReturnToGame:
        return gameInProgress;
    case kMenuConsole:
        return m_console;
    case kMenuReadme:
        return !gameInProgress;
    default:
        return true;
    }
}

bool MainMenuModel::Enabled(int id, bool gameInProgress) const
{
    return Visible(id, gameInProgress);
}

std::vector<int> MainMenuModel::VisibleChoices(bool gameInProgress) const
{
    std::vector<int> ids;
    for (const MainMenuChoice& choice : kChoices) {
        if (choice.stripIndex >= 0 && Visible(choice.id, gameInProgress))
            ids.push_back(choice.id);
    }
    return ids;
}

std::string MainMenuModel::VersionText(const std::string& patchVersion)
{
    char text[128];
    std::snprintf(text, sizeof text, "v%i/%s", kProtocolVersion, patchVersion.c_str());
    return text;
}

QuitDecision MainMenuModel::DecideQuit(bool gameInProgress, bool updaterFlag) const
{
    if (!m_idleSeen)
        return {QuitPrompt::NotYet, 0};
    if (m_noPrompt || (updaterFlag && !gameInProgress))
        return {QuitPrompt::None, 0};
    return {QuitPrompt::Ask, gameInProgress ? kMessageQuitInGame : kMessageQuit};
}

bool MainMenuModel::ConfirmQuit(bool gameInProgress, int& updaterFlag) const
{
    const QuitDecision decision = DecideQuit(gameInProgress, updaterFlag != 0);
    if (decision.prompt == QuitPrompt::NotYet)
        return false;
    if (decision.prompt == QuitPrompt::None)
        return true;
    const int answer = ShowMessage(decision.message, PromptButtons::YesNo);
    if (answer == kPromptFirst)
        return true;
    // Only a "no" withdraws an accepted update; a question closed unanswered (a
    // termination signal) leaves it as it was.
    if (answer == kPromptSecond)
        updaterFlag = 0;
    return false;
}

MenuSituation MainMenuModel::Situation(int engineState, int connectionState)
{
    MenuSituation situation;
    situation.engineState = engineState;
    situation.connectionState = connectionState;
    const ActiveCustomGameInfo* game = ActiveCustomGame();
    situation.multiplayerOnly = game && strcasecmp(game->type.c_str(), kMultiplayerOnly) == 0;
    return situation;
}

EscapeAction MainMenuModel::Escape(bool gameInProgress)
{
    return gameInProgress ? EscapeAction::ResumeGame : EscapeAction::Quit;
}

MenuRequestAction MainMenuModel::ActionForRequest(int request)
{
    switch (request) {
    case 1:
    case 2:
        return MenuRequestAction::RefreshMenu;
    case 3:
        return MenuRequestAction::OpenManual;
    case 4:
        return MenuRequestAction::PressQuit;
    default:
        return MenuRequestAction::None; // 5, the map editor, is the frame pump's
    }
}

bool MainMenuModel::StartEngineAtOnce()
{
    return FindOption("-toconsole") || FindOption("+connect") || FindOption("+map");
}

bool MainMenuModel::EngineWindowOnTop(bool launcherInFront, bool consoleOption, bool noTopMost)
{
    return launcherInFront && !consoleOption && !noTopMost;
}
