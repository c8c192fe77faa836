// The main menu's decisions without its window.
#include "app/menu/MainMenuModel.h"
#include "app/settings/ActiveCustomGame.h"
#include "app/settings/CommandLine.h"
#include "app/text/StringList.h"

#include "support/RecordingPrompt.h"

#include <gtest/gtest.h>

namespace {

constexpr bool kInGame = true;
constexpr bool kNoGame = false;

TEST(MainMenuChoicesTest, ReturnToGameOnlyWhileAGameIsInProgress)
{
    const MainMenuModel model(false, false);
    EXPECT_TRUE(model.Visible(kMenuReturnToGame, kInGame));
    EXPECT_FALSE(model.Visible(kMenuReturnToGame, kNoGame));
    EXPECT_FALSE(model.Enabled(kMenuReturnToGame, kNoGame));
}

TEST(MainMenuChoicesTest, ConsoleOnlyWithTheConsoleOption)
{
    EXPECT_FALSE(MainMenuModel(false, false).Visible(kMenuConsole, kNoGame));
    EXPECT_TRUE(MainMenuModel(true, false).Visible(kMenuConsole, kNoGame));
    EffectiveCommandLine() = CommandLine("kestrel -console -game vrel");
    EXPECT_TRUE(MainMenuModel().ConsoleOption());
    EffectiveCommandLine() = CommandLine("kestrel -game vrel");
    EXPECT_FALSE(MainMenuModel().ConsoleOption());
    EffectiveCommandLine() = CommandLine();
}

TEST(MainMenuChoicesTest, ReadmeHiddenDuringAGame)
{
    const MainMenuModel model(false, false);
    EXPECT_TRUE(model.Visible(kMenuReadme, kNoGame));
    EXPECT_FALSE(model.Visible(kMenuReadme, kInGame));
}

TEST(MainMenuChoicesTest, HiddenChoicesStayHiddenAndDisabled)
{
    const MainMenuModel model(true, false);
    for (int id : {kMenuMultiplayer, kMenuNewGame, kMenuOrder, kMenuLoadGame, kMenuLoadSaveGame, kMenuPreviews,
                   kMenuCustomGame, kMenuFriends, kMenuTraining}) {
        EXPECT_FALSE(model.Visible(id, kInGame)) << id;
        EXPECT_FALSE(model.Enabled(id, kNoGame)) << id;
    }
    EXPECT_FALSE(model.Visible(4242, kNoGame));
}

TEST(MainMenuChoicesTest, VisibleChoicesFollowTheStripOrder)
{
    const MainMenuModel model(false, false);
    const std::vector<int> expected = {kMenuQuickStart, kMenuInternetGames, kMenuLanGames, kMenuChatRooms,
                                       kMenuConfigure,  kMenuReadme,        kMenuManual,   kMenuQuit};
    EXPECT_EQ(model.VisibleChoices(kNoGame), expected);
    const std::vector<int> inGame = MainMenuModel(true, false).VisibleChoices(kInGame);
    const std::vector<int> expectedInGame = {kMenuQuickStart,   kMenuInternetGames, kMenuLanGames,
                                             kMenuChatRooms,    kMenuConfigure,     kMenuManual,
                                             kMenuReturnToGame, kMenuConsole,       kMenuQuit};
    EXPECT_EQ(inGame, expectedInGame);
    for (int id : inGame)
        EXPECT_GE(MainMenuModel::Choice(id)->stripIndex, 0);
}

TEST(MainMenuVersionTest, ProtocolAndPatchVersion)
{
    EXPECT_EQ(MainMenuModel::VersionText("1.0.1.6"), "v45/1.0.1.6");
    EXPECT_EQ(MainMenuModel::VersionText(""), "v45/");
    // An overlong patch text is cut, never overrun.
    EXPECT_LT(MainMenuModel::VersionText(std::string(500, '9')).size(), 200u);
}

TEST(MainMenuGameInProgressTest, RunningOrSuspendedAndConnected)
{
    EXPECT_TRUE(MainMenuModel::GameInProgress({1, 5, false}));
    EXPECT_TRUE(MainMenuModel::GameInProgress({2, 4, false}));
    EXPECT_FALSE(MainMenuModel::GameInProgress({2, 1, false})); // loaded, not connected
    EXPECT_FALSE(MainMenuModel::GameInProgress({0, 5, false}));
    EXPECT_FALSE(MainMenuModel::GameInProgress({3, 5, false}));
    EXPECT_FALSE(MainMenuModel::GameInProgress({2, 5, true}));
}

TEST(MainMenuGameInProgressTest, MultiplayerOnlyGameFromTheActiveCustomGame)
{
    ActiveCustomGameInfo info;
    info.game = "Duel";
    info.gamedir = "duel";
    info.type = "Multiplayer_Only";
    SetActiveCustomGame(info);
    EXPECT_TRUE(MainMenuModel::Situation(2, 5).multiplayerOnly);
    info.type = "singleplayer";
    SetActiveCustomGame(info);
    EXPECT_FALSE(MainMenuModel::Situation(2, 5).multiplayerOnly);
    SetActiveCustomGame(std::nullopt);
    EXPECT_FALSE(MainMenuModel::Situation(2, 5).multiplayerOnly);
}

TEST(MainMenuQuitTest, IgnoredUntilTheMenuWasIdleOnce)
{
    MainMenuModel model(false, true);
    EXPECT_EQ(model.DecideQuit(kNoGame, false).prompt, QuitPrompt::NotYet);
    model.NoteIdle();
    EXPECT_EQ(model.DecideQuit(kNoGame, false).prompt, QuitPrompt::None);
}

TEST(MainMenuQuitTest, AsksWithTheMessageForTheSituation)
{
    MainMenuModel model(false, false);
    model.NoteIdle();
    EXPECT_EQ(model.DecideQuit(kInGame, false).prompt, QuitPrompt::Ask);
    EXPECT_EQ(model.DecideQuit(kInGame, false).message, 235);
    EXPECT_EQ(model.DecideQuit(kNoGame, false).message, 236);
}

TEST(MainMenuQuitTest, NoPromptAndUpdaterSkipTheQuestion)
{
    MainMenuModel noPrompt(false, true);
    noPrompt.NoteIdle();
    EXPECT_EQ(noPrompt.DecideQuit(kInGame, false).prompt, QuitPrompt::None);

    MainMenuModel model(false, false);
    model.NoteIdle();
    EXPECT_EQ(model.DecideQuit(kNoGame, true).prompt, QuitPrompt::None);
    // With a game in progress the updater still asks first.
    EXPECT_EQ(model.DecideQuit(kInGame, true).prompt, QuitPrompt::Ask);
}

TEST(MainMenuQuitTest, RefusalClearsTheUpdaterFlag)
{
    RecordingPrompt prompt;
    MainMenuModel model(false, false);
    model.NoteIdle();
    int updater = 1;
    prompt.SetAnswer(kPromptSecond);
    EXPECT_FALSE(model.ConfirmQuit(kInGame, updater));
    EXPECT_EQ(updater, 0);
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_EQ(prompt.Texts()[0], GetString(235));
    EXPECT_EQ(prompt.Buttons()[0], PromptButtons::YesNo);

    // A question closed without an answer keeps the accepted update.
    prompt.SetAnswer(kPromptNone);
    updater = 1;
    EXPECT_FALSE(model.ConfirmQuit(kInGame, updater));
    EXPECT_EQ(updater, 1);

    prompt.SetAnswer(kPromptFirst);
    updater = 1;
    EXPECT_TRUE(model.ConfirmQuit(kInGame, updater));
    EXPECT_EQ(updater, 1);
    // Nothing in progress and an update accepted: no question at all.
    EXPECT_TRUE(model.ConfirmQuit(kNoGame, updater));
    EXPECT_EQ(prompt.Texts().size(), 3u);
}

TEST(MainMenuKeysTest, EscapeResumesOrQuits)
{
    EXPECT_EQ(MainMenuModel::Escape(kInGame), EscapeAction::ResumeGame);
    EXPECT_EQ(MainMenuModel::Escape(kNoGame), EscapeAction::Quit);
}

TEST(MainMenuRequestsTest, EachRequestHasItsAction)
{
    EXPECT_EQ(MainMenuModel::ActionForRequest(1), MenuRequestAction::RefreshMenu);
    EXPECT_EQ(MainMenuModel::ActionForRequest(2), MenuRequestAction::RefreshMenu);
    EXPECT_EQ(MainMenuModel::ActionForRequest(3), MenuRequestAction::OpenManual);
    EXPECT_EQ(MainMenuModel::ActionForRequest(4), MenuRequestAction::PressQuit);
    EXPECT_EQ(MainMenuModel::ActionForRequest(5), MenuRequestAction::None);
    EXPECT_EQ(MainMenuModel::ActionForRequest(0), MenuRequestAction::None);
}

TEST(MainMenuRequestsTest, EngineStartsAtOnceForConsoleConnectOrMap)
{
    for (const char* line : {"kestrel -toconsole", "kestrel +connect 127.0.0.1:27015", "kestrel +map ashfall"}) {
        EffectiveCommandLine() = CommandLine(line);
        EXPECT_TRUE(MainMenuModel::StartEngineAtOnce()) << line;
    }
    EffectiveCommandLine() = CommandLine("kestrel -console -game vrel");
    EXPECT_FALSE(MainMenuModel::StartEngineAtOnce());
    EffectiveCommandLine() = CommandLine();
}

} // namespace

TEST(MainMenuEngineWindowTest, InFrontOnlyWhileTheLauncherIsAndNotWithConsoleOrNoTopMost)
{
    EXPECT_TRUE(MainMenuModel::EngineWindowOnTop(true, false, false));
    EXPECT_FALSE(MainMenuModel::EngineWindowOnTop(false, false, false));
    EXPECT_FALSE(MainMenuModel::EngineWindowOnTop(true, true, false));
    EXPECT_FALSE(MainMenuModel::EngineWindowOnTop(true, false, true));
}
