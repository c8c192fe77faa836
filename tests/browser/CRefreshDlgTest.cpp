// The refresh progress dialog: it runs the refresh to its end and closes, shows the
// three lines, its cancel leaves the records where they are, and waiting for replies
// leaves the processor idle.
#include "browser/dialogs/CRefreshDlg.h"
#include "FakeGameServer.h"
#include "app/engine/EngineInterface.h"
#include "app/settings/LauncherState.h"
#include "browser/list/CNetGameDoc.h"
#include "browser/list/RefreshEngine.h"
#include "browser/list/ServerRecordList.h"
#include "support/ThreadCpuTime.h"
#include "ui/CODBlendBtn.h"
#include "ui/IdleWork.h"
#include "ui/ModalIdleLoop.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

namespace {

const char* kInfo = "\\hostname\\Shown\\gamedir\\vrel\\max\\8";

RefreshParams Params(double timeout)
{
    RefreshParams p;
    p.maxInFlight = 4;
    p.timeout = timeout;
    p.maxRetries = 3;
    p.idleTimeout = RefreshParams::kDefaultIdleTimeout;
    return p;
}

} // namespace

TEST(CRefreshDlg, RunsTheRefreshToItsEndAndCloses)
{
    FakeGameServer server;
    server.infoReplies = {ReplyBuilder::Info(kInfo).Bytes()};
    ServerRecordList list;
    for (int i = 0; i < 3; ++i)
        list.AddServer("127.0.0.1", server.Port(), true);
    RefreshEngine engine;
    engine.Begin(list.Head(), Params(2.0));
    CRefreshDlg dialog(engine);
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(dialog.DoModal(), QDialog::Accepted);
    EXPECT_LT(timer.elapsed(), 3000);
    EXPECT_FALSE(engine.Running());
    for (CServerInfo* r = list.Head(); r; r = r->next)
        EXPECT_EQ(r->status, CServerInfo::Done);
    EXPECT_EQ(dialog.size(), QSize(CRefreshDlg::kWidth, CRefreshDlg::kHeight));
}

TEST(CRefreshDlg, WaitingForRepliesLeavesTheProcessorIdle)
{
    FakeGameServer silent;
    ServerRecordList list;
    for (int i = 0; i < 3; ++i)
        list.AddServer("127.0.0.1", silent.Port(), true);
    RefreshEngine engine;
    RefreshParams params = Params(0.4);
    params.maxRetries = 1; // two tries of 0.4 s each
    engine.Begin(list.Head(), params);
    CRefreshDlg dialog(engine);
    // Every idle pass of the dialog runs the frame pump once.
    int idlePasses = 0;
    IdleWork::SetFramePump([&] {
        ++idlePasses;
        return int(kEngineNoGame);
    });
    QElapsedTimer wall;
    wall.start();
    const double cpuBefore = ThreadCpuSeconds();
    EXPECT_EQ(dialog.DoModal(), QDialog::Accepted);
    const double cpu = ThreadCpuSeconds() - cpuBefore;
    const double elapsed = double(wall.elapsed()) / 1000.0;
    IdleWork::SetFramePump({});
    for (CServerInfo* r = list.Head(); r; r = r->next)
        EXPECT_EQ(r->status, CServerInfo::Failed);
    EXPECT_GE(elapsed, 0.8);
    // Passes come at the quiet pace (plus the few that had work: sends and time-outs),
    // not back to back.
    EXPECT_LT(idlePasses, 2 * int(elapsed * 1000.0) / ModalIdleLoop::kQuietIntervalMs + 20);
    EXPECT_LT(cpu, 0.2 * elapsed) << cpu << " s of processor time in " << elapsed << " s";
}

TEST(CRefreshDlg, CancelLeavesTheRecordsAsTheyAre)
{
    FakeGameServer silent;
    ServerRecordList list;
    CServerInfo* r = list.AddServer("127.0.0.1", silent.Port());
    RefreshEngine engine;
    engine.Begin(list.Head(), Params(30.0));
    CRefreshDlg dialog(engine);
    QTimer::singleShot(200, &dialog, [&dialog] {
        EXPECT_FALSE(dialog.PendingLine().isEmpty()); // one server pending
        EXPECT_FALSE(dialog.ElapsedLine().isEmpty());
        ASSERT_EQ(dialog.Buttons().size(), 1u);
        dialog.Buttons()[0]->click(); // the cancel button
    });
    EXPECT_EQ(dialog.DoModal(), QDialog::Rejected);
    EXPECT_EQ(r->status, CServerInfo::InfoSent);
    EXPECT_NE(r->Socket(), nullptr);
}

TEST(CRefreshDlg, DocumentRefreshesThroughTheDialogWhenAsked)
{
    const int savedBudget = Launcher().socketBudget;
    Launcher().socketBudget = 100;
    FakeGameServer server;
    server.infoReplies = {ReplyBuilder::Info(kInfo).Bytes()};
    CNetGameDoc::Setup setup;
    setup.useListFile = false;
    setup.resolveServices = false;
    CNetGameDoc doc(CNetGameDoc::Kind::Lan, setup);
    CServerInfo* r = doc.AddServer("127.0.0.1", server.Port());
    int dialogs = 0;
    const CNetGameDoc::RefreshRunner shown = CRefreshDlg::Runner();
    doc.SetRefreshRunner([&](RefreshEngine& engine) {
        ++dialogs;
        shown(engine);
    });
    doc.StartRefresh(doc.Head(), doc.RefreshAllParams());
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(r->status, CServerInfo::Done);
    EXPECT_EQ(r->name, "Shown");
    Launcher().socketBudget = savedBudget;
}
