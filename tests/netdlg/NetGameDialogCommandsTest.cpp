// The Internet games dialog's commands over a list filled by the test (no network but
// the stand-in engine's own): best servers first, delete, favourites, find, the rate
// selector, create game, join with the pre-join check and resume.
#include "NetDialogSkin.h"
#include "app/engine/EngineCommands.h"
#include "app/engine/EngineHost.h"
#include "app/engine/QtEngineDisplay.h"
#include "app/settings/CommandLine.h"
#include "app/text/ServiceAddressList.h"
#include "app/text/StringList.h"
#include "browser/dialogs/CNetGameDlg.h"
#include "browser/list/ServerListRows.h"
#include "browser/query/BrowserClock.h"
#include "browser/query/MaxInFlight.h"
#include "peer/PeerGameServer.h"
#include "support/LauncherEngine.h"
#include "support/RecordingPrompt.h"
#include "support/TempTree.h"
#include "ui/CODControls.h"
#include "ui/CODKSListCtrl.h"
#include "ui/InputPrompt.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

class NetGameDialogCommands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallNetDialogSkin();
        EffectiveCommandLine() = CommandLine("kestrel -game vrel");
        setup.listPath = files.Abs("favsvrs.dat");
        setup.services = &services;
        setup.resolveServices = false;
        SetPlayerConnectionRate(kDefaultConnectionRate);
        UseLauncherEngine();
    }
    void TearDown() override
    {
        dialog.reset();
        CNetGameDlg::SetJoinFunction(nullptr);
        CNetGameDlg::SetCreateGameHook(nullptr);
        StopEngine();
        TheEngineDisplay().DestroyEngineWindow();
        EffectiveCommandLine() = CommandLine();
    }

    // Runs the dialog modally; step() is called every 10 ms while it is open and
    // returns true once the test is done with it. Returns the dialog's result.
    int RunModal(const std::function<bool()>& step)
    {
        QTimer driver;
        driver.setInterval(10);
        QElapsedTimer timer;
        timer.start();
        QObject::connect(&driver, &QTimer::timeout, [&] {
            if (step() || timer.elapsed() > 15000)
                dialog->CloseDialog(QDialog::Rejected);
        });
        driver.start();
        return dialog->DoModal();
    }

    // The player leaves the game for the menu.
    static void LeaveGame() { TheEngineHost().SetPendingState(kEngineSuspended); }

    // Servers on loopback ports nobody answers; their replies are made up here.
    void Open(const std::vector<std::string>& names)
    {
        dialog = std::make_unique<CNetGameDlg>(nullptr, setup);
        int port = 40000;
        for (const std::string& name : names) {
            CServerInfo* r = dialog->Doc().AddServer("127.0.0.1", port++);
            r->name = name;
            r->dir = "vrel";
            r->map = "ha_mill";
            r->maxplayers = 16;
            r->currentplayers = name.find("empty") == std::string::npos ? 5 : 0;
            r->svping = 0.04 + 0.01 * (port % 7);
            r->status = CServerInfo::Done;
            r->protocol = 45;
            r->SetInfoTime(BrowserClockNow());
        }
        dialog->ApplyFilters(dialog->Filter());
    }

    std::vector<std::string> ListOrder() const
    {
        std::vector<std::string> names;
        for (const CServerInfo* r = dialog->Doc().Head(); r; r = r->next)
            names.push_back(r->name);
        return names;
    }

    std::vector<std::string> RowOrder() const
    {
        std::vector<std::string> names;
        for (const KSListRow& row : dialog->List()->Model()->Rows())
            names.push_back(row.cells[kCellName].text.trimmed().toStdString());
        return names;
    }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const KSListRow& row : dialog->List()->Model()->Rows())
            names.push_back(row.cells[kCellName].text.trimmed().toStdString());
        std::sort(names.begin(), names.end());
        return names;
    }

    CServerInfo* Record(const std::string& name) const
    {
        for (CServerInfo* r = dialog->Doc().Head(); r; r = r->next)
            if (r->name == name)
                return r;
        return nullptr;
    }

    ScopedSettingsFolder settings;
    TempTree files;
    RecordingPrompt prompt;
    ScriptedInputPrompt input;
    ServiceAddressList services;
    CNetGameDoc::Setup setup;
    std::unique_ptr<CNetGameDlg> dialog;
};

TEST_F(NetGameDialogCommands, BestServersFirstShowsHiddenRowsUntilTheFiltersApplyAgain)
{
    Open({"a", "b empty", "c"});
    ServerFilter filter = dialog->Filter();
    filter.empty = true;
    dialog->ApplyFilters(filter);
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "c"}));
    dialog->BestServersFirst();
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b empty", "c"}));
    // The empty server ranks last: its fill score is zero.
    EXPECT_EQ(dialog->List()->Model()->Rows().back().cells[kCellName].text, QStringLiteral(" b empty"));
    dialog->ApplyFilters(dialog->Filter());
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "c"}));
}

TEST_F(NetGameDialogCommands, BestServersFirstRelinksTheListSoTheFileFollowsIt)
{
    Open({"a", "b empty", "c"}); // listed c, b empty, a
    ASSERT_EQ(ListOrder(), (std::vector<std::string>{"c", "b empty", "a"}));
    dialog->BestServersFirst();
    // a has the better ping of the two servers with players; the empty one is last.
    const std::vector<std::string> ranked{"a", "c", "b empty"};
    EXPECT_EQ(RowOrder(), ranked);
    EXPECT_EQ(ListOrder(), ranked);
    // The list file keeps that order.
    dialog->CloseDialog(QDialog::Accepted);
    const std::string text = files.Read("favsvrs.dat").toStdString();
    const size_t first = text.find("\"a\"");
    const size_t second = text.find("\"c\"");
    const size_t third = text.find("\"b empty\"");
    ASSERT_NE(third, std::string::npos) << text;
    EXPECT_LT(first, second);
    EXPECT_LT(second, third);
}

TEST_F(NetGameDialogCommands, DeleteAsksThenRemovesRowsAndRecords)
{
    Open({"a", "b", "c"});
    dialog->SelectRecords({Record("a"), Record("c")});
    dialog->Delete();
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_NE(prompt.Texts()[0].find('2'), std::string::npos);
    EXPECT_EQ(Names(), (std::vector<std::string>{"b"}));
    EXPECT_EQ(dialog->Doc().Count(), 1);

    prompt.Clear();
    dialog->List()->clearSelection();
    dialog->Delete();
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_EQ(prompt.Texts()[0], GetString(CNetGameDoc::kMsgNoSelection));
    EXPECT_EQ(dialog->Doc().Count(), 1);
}

TEST_F(NetGameDialogCommands, DeclinedDeleteKeepsEverything)
{
    Open({"a", "b"});
    prompt.SetAnswer(kPromptSecond);
    dialog->SelectRecords({Record("a")});
    dialog->Delete();
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b"}));
}

TEST_F(NetGameDialogCommands, FavouritesChangeTheRowIcon)
{
    Open({"a", "b"});
    dialog->SelectRecords({Record("b")});
    dialog->SetFavorites(true);
    EXPECT_TRUE(Record("b")->favorite);
    EXPECT_FALSE(Record("a")->favorite);
    const KSListModel& model = *dialog->List()->Model();
    const int row = model.IndexOfSerial(Record("b")->Serial());
    EXPECT_EQ(model.Row(row)->cells[kCellFavorite].icon, "favorite");
    dialog->SetFavorites(false);
    EXPECT_EQ(model.Row(model.IndexOfSerial(Record("b")->Serial()))->cells[kCellFavorite].icon, "nonfav");
}

TEST_F(NetGameDialogCommands, FindSelectsTheRowsWhoseNameContainsTheText)
{
    Open({"Old Mill", "Harbour", "mill race"});
    input.AddAnswer(std::string("MILL"));
    dialog->Find();
    std::vector<std::string> selected;
    for (const CServerInfo* r : dialog->SelectedRecords())
        selected.push_back(r->name);
    std::sort(selected.begin(), selected.end());
    EXPECT_EQ(selected, (std::vector<std::string>{"Old Mill", "mill race"}));
}

TEST_F(NetGameDialogCommands, RateSelectorOpensOnTheRateAndStoresAChoice)
{
    SetPlayerConnectionRate(4000);
    Open({"a"});
    EXPECT_EQ(dialog->RateSelector()->currentIndex(), 0);
    dialog->ChooseRate(0); // sets nothing
    EXPECT_EQ(PlayerConnectionRate(), 4000);
    dialog->ChooseRate(7);
    EXPECT_EQ(PlayerConnectionRate(), 9999);
    EXPECT_EQ(dialog->Doc().ConnectionRate(), 9999);
    EXPECT_EQ(dialog->Doc().MaxInFlight(), MaxInFlightForRate(9999));

    SetPlayerConnectionRate(7503);
    CNetGameDlg again(nullptr, setup);
    EXPECT_EQ(again.RateSelector()->currentIndex(), 6);
}

TEST_F(NetGameDialogCommands, CreateGameRunsTheHookOrTellsThePlayer)
{
    Open({"a"});
    dialog->CreateGame();
    EXPECT_EQ(prompt.Texts().size(), 1u);
    QWidget* parent = nullptr;
    CNetGameDlg::SetCreateGameHook([&](QWidget* p) {
        parent = p;
        return false;
    });
    dialog->CreateGame();
    EXPECT_EQ(parent, dialog.get());
    EXPECT_EQ(prompt.Texts().size(), 1u);
}

TEST_F(NetGameDialogCommands, JoinHidesTheDialogUntilThePlayerLeavesTheGame)
{
    Open({"a", "b"});
    std::string joined;
    CNetGameDlg::SetJoinFunction([&](const CServerInfo& record) {
        joined = record.name;
        return TheEngineHost().RunEngine(false); // the engine takes the screen
    });
    dialog->SelectRecords({Record("b")});
    int step = 0;
    bool hiddenInGame = false;
    bool fileWrittenDuringGame = true;
    std::vector<std::string> rowsWhenBack;
    const int result = RunModal([&] {
        if (step == 0 && dialog->isVisible()) {
            dialog->Join(); // b's info is fresh: no query
            step = 1;
        } else if (step == 1 && TheEngineHost().State() == kEngineRunning) {
            // The list waits while the game has the screen: a finished master
            // exchange would otherwise open the refresh dialog over the game.
            hiddenInGame = dialog->HiddenForGame() && !dialog->isVisible() && !dialog->AtSafePoint();
            fileWrittenDuringGame = files.Exists("favsvrs.dat");
            LeaveGame();
            step = 2;
        } else if (step == 2 && dialog->isVisible() && !dialog->HiddenForGame() && dialog->AtSafePoint()) {
            rowsWhenBack = Names();
            return true;
        }
        return false;
    });
    EXPECT_EQ(joined, "b");
    EXPECT_TRUE(hiddenInGame);
    EXPECT_FALSE(fileWrittenDuringGame);
    // The player came back to the open dialog and closed it.
    EXPECT_EQ(step, 2);
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(rowsWhenBack, (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(files.Exists("favsvrs.dat"));
}

TEST_F(NetGameDialogCommands, ResumeHidesTheDialogUntilThePlayerLeavesTheGameAgain)
{
    // A game in progress, left for the menu.
    GameServerConfig config;
    config.port = 0;
    PeerGameServer server(config);
    ASSERT_TRUE(server.Start());
    EngineHost& host = TheEngineHost();
    ASSERT_EQ(host.StartEngine(false), 1);
    host.AddCommandText(JoinCommand("Ann", "127.0.0.1", server.Port()));
    QElapsedTimer timer;
    timer.start();
    while (host.Status().connectionState != kConnectionPlaying && timer.elapsed() < 5000) {
        host.EngineFrame(true);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    ASSERT_EQ(host.Status().connectionState, kConnectionPlaying);
    LeaveGame();
    host.EngineFrame(true);
    ASSERT_EQ(host.State(), kEngineSuspended);

    Open({"a"});
    int step = 0;
    bool hiddenInGame = false;
    const int result = RunModal([&] {
        if (step == 0 && dialog->isVisible()) {
            dialog->Resume();
            step = 1;
        } else if (step == 1 && host.State() == kEngineRunning) {
            hiddenInGame = dialog->HiddenForGame() && !dialog->isVisible();
            LeaveGame();
            step = 2;
        } else if (step == 2) {
            return dialog->isVisible() && !dialog->HiddenForGame();
        }
        return false;
    });
    EXPECT_TRUE(hiddenInGame);
    EXPECT_EQ(step, 2);
    EXPECT_EQ(result, QDialog::Rejected);
}

TEST_F(NetGameDialogCommands, FailedJoinKeepsTheDialogOpen)
{
    Open({"a"});
    CNetGameDlg::SetJoinFunction([](const CServerInfo&) { return false; });
    dialog->show();
    dialog->List()->SelectFirstRow();
    dialog->Join();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(files.Exists("favsvrs.dat"));
}

} // namespace
