// The Internet games dialog's commands over a list filled by the test (no network):
// best servers first, delete, favourites, find, the rate selector, create game and
// join with the pre-join check.
#include "NetDialogSkin.h"
#include "app/settings/CommandLine.h"
#include "app/text/ServiceAddressList.h"
#include "app/text/StringList.h"
#include "browser/dialogs/CNetGameDlg.h"
#include "browser/list/ServerListRows.h"
#include "browser/query/BrowserClock.h"
#include "browser/query/MaxInFlight.h"
#include "support/RecordingPrompt.h"
#include "support/TempTree.h"
#include "ui/CODControls.h"
#include "ui/CODKSListCtrl.h"
#include "ui/InputPrompt.h"

#include <QLabel>
#include <gtest/gtest.h>

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
    }
    void TearDown() override
    {
        dialog.reset();
        CNetGameDlg::SetJoinFunction(nullptr);
        CNetGameDlg::SetCreateGameHook(nullptr);
        EffectiveCommandLine() = CommandLine();
    }

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
    CNetGameDlg::SetCreateGameHook([&](QWidget* p) { parent = p; });
    dialog->CreateGame();
    EXPECT_EQ(parent, dialog.get());
    EXPECT_EQ(prompt.Texts().size(), 1u);
}

TEST_F(NetGameDialogCommands, JoinOfAFreshServerSkipsTheQueryAndClosesTheDialog)
{
    Open({"a", "b"});
    std::string joined;
    CNetGameDlg::SetJoinFunction([&](const CServerInfo& record) {
        joined = record.name;
        return true;
    });
    dialog->SelectRecords({Record("b")});
    dialog->Join();
    EXPECT_EQ(joined, "b");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(files.Exists("favsvrs.dat"));
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
