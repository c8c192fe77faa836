#pragma once
// The decisions of the main menu without its window: which choices it shows and
// enables, the version text, when and how it asks before quitting, what Escape does
// and how it serves the engine's requests.
#include <string>
#include <vector>

// Main menu control identifiers.
enum MainMenuControl : int
{
    kMenuQuit = 1,
    kMenuMultiplayer = 1015,
    kMenuNewGame = 1016,
    kMenuConfigure = 1017,
    kMenuReadme = 1018,
    kMenuReturnToGame = 1019,
    kMenuOrder = 1020,
    kMenuLoadGame = 1021,
    kMenuLoadSaveGame = 1022,
    kMenuInternetGames = 1023,
    kMenuPreviews = 1024,
    kMenuCustomGame = 1025,
    kMenuLanGames = 1026,
    kMenuChatRooms = 1027,
    kMenuManual = 1029,
    kMenuQuickStart = 1070,
    kMenuFatalError = 121,
    kMenuConsole = 1167,
    kMenuMinimise = 1173,
    kMenuClose = 1174,
    kMenuFriends = 1221,
    kMenuTraining = 1223,
};

struct MainMenuChoice
{
    int id = 0;
    const char* label = "";
    int stripIndex = -1; // cell of the "btns_main" strip; −1: not drawn from it
};

// What the launcher knows about the game behind the menu.
struct MenuSituation
{
    int engineState = 0;          // 0 no game, 1 running, 2 suspended, 3 quitting
    int connectionState = 1;      // status record offset 312
    bool multiplayerOnly = false; // the active custom game's "type" is "multiplayer_only"
};

enum class QuitPrompt
{
    None,   // quit without asking
    Ask,    // ask with the message number
    NotYet, // the menu has not been idle yet: ignore the request
};

struct QuitDecision
{
    QuitPrompt prompt = QuitPrompt::None;
    int message = 0; // 235 with a game in progress, 236 otherwise
};

enum class EscapeAction
{
    ResumeGame,
    Quit,
};

// What the menu does for a request flag of the frame pump.
enum class MenuRequestAction
{
    None,
    RefreshMenu, // requests 1 and 2: refresh the buttons, restart the logo
    OpenManual,  // request 3: the manual named by string 75, then minimise
    PressQuit,   // request 4
};

class MainMenuModel
{
public:
    static constexpr int kProtocolVersion = 45;
    static constexpr int kMessageQuitInGame = 235;
    static constexpr int kMessageQuit = 236;
    static constexpr int kManualString = 579;
    static constexpr int kRequestManualString = 75;
    static constexpr int kMessageCannotOpen = 90;
    static constexpr const char* kMultiplayerOnly = "multiplayer_only";

    // Reads "-console" and "-noprompt" from the command line.
    MainMenuModel();
    MainMenuModel(bool consoleOption, bool noPrompt) : m_console(consoleOption), m_noPrompt(noPrompt) {}

    // Every choice the menu has, the hidden ones included, in strip order first.
    static const std::vector<MainMenuChoice>& Choices();
    static const MainMenuChoice* Choice(int id);

    // A game is in progress: the engine runs or is suspended, it is connected
    // somewhere, and the custom game is not one for multiplayer only.
    static bool GameInProgress(const MenuSituation& situation);

    bool Visible(int id, bool gameInProgress) const;
    bool Enabled(int id, bool gameInProgress) const;
    // The visible strip choices, top to bottom.
    std::vector<int> VisibleChoices(bool gameInProgress) const;

    // "v%i/%s" with the protocol version and the patch version.
    static std::string VersionText(const std::string& patchVersion);

    // The menu calls this at each idle moment; quitting waits for the first.
    void NoteIdle() { m_idleSeen = true; }
    bool IdleSeen() const { return m_idleSeen; }
    QuitDecision DecideQuit(bool gameInProgress, bool updaterFlag) const;
    // Asks as DecideQuit says, through the prompt in use. True when the menu is to
    // quit; a refusal clears the updater flag.
    bool ConfirmQuit(bool gameInProgress, int& updaterFlag) const;
    // The situation with the active custom game's type filled in.
    static MenuSituation Situation(int engineState, int connectionState);

    static EscapeAction Escape(bool gameInProgress);
    static MenuRequestAction ActionForRequest(int request);

    bool ConsoleOption() const { return m_console; }
    bool NoPrompt() const { return m_noPrompt; }
    // "-toconsole", "+connect" or "+map": the engine starts at the first idle moment.
    static bool StartEngineAtOnce();

    // While the engine has the screen: whether its window is kept above the others.
    // Not while another application is in front, not with "-console" (the console
    // player switches windows), and "-notopmost" takes it away again at once.
    static bool EngineWindowOnTop(bool launcherInFront, bool consoleOption, bool noTopMost);

private:
    bool m_console = false;
    bool m_noPrompt = false;
    bool m_idleSeen = false;
};
