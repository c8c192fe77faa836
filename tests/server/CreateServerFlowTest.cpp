// Creating servers from the games dialogs end to end: the create-server dialog starts
// a real ksds that the LAN games dialog lists and joins (password included), a missing
// ksds leaves the launcher running, and a listen server in the real stand-in engine is
// found by kestrel-query while the player is on it. Every server listens on 127.0.0.1
// on a port block of its test, away from the game ports other programs may hold.
#include "ServerWorld.h"
#include "app/settings/LauncherState.h"
#include "app/engine/EngineHost.h"
#include "app/engine/QtEngineDisplay.h"
#include "browser/dialogs/CLan.h"
#include "browser/dialogs/CNetGameDlg.h"
#include "browser/record/CServerInfo.h"
#include "config/dialogs/CCreateServerDlg.h"
#include "config/player/PlayerConfig.h"
#include "config/server/ServerLaunch.h"
#include "query/QueryRunner.h"
#include "support/LauncherEngine.h"
#include "support/RecordingPrompt.h"
#include "ui/CODBlendBtn.h"
#include "ui/CODControls.h"
#include "ui/IdleWork.h"
#include "ui/InputPrompt.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QTimer>
#include <QtTest/QTest>

#include <csignal>
#include <functional>
#include <map>

namespace {

int PortBlockOfThisTest()
{
    static const std::map<std::string, int> blocks{{"DedicatedLanServerIsListedAndJoinedWithItsPassword", 31115},
                                                   {"ListenServerIsFoundWhileThePlayerIsOnIt", 31135}};
    const auto found = blocks.find(::testing::UnitTest::GetInstance()->current_test_info()->name());
    return found == blocks.end() ? 31155 : found->second;
}

bool RunUntil(const std::function<bool()>& done, int timeoutMs = 8000)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        IdleWork::RunOnce();
        if (done())
            return true;
    }
    return false;
}

// Answers the next create-server dialog: fill sets its controls, then OK or Cancel.
void AnswerCreateDialog(std::function<void(CCreateServerDlg&)> fill, bool ok)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, fill, ok] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<CCreateServerDlg*>(widget);
            if (!dialog || !dialog->isVisible())
                continue;
            timer->stop();
            timer->deleteLater();
            fill(*dialog);
            if (ok)
                QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
            else
                QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
            return;
        }
    });
    timer->start(10);
}

class CreateServerFlow : public ServerWorldTest
{
protected:
    void SetUp() override
    {
        ServerWorldTest::SetUp();
        UseLauncherEngine();
        TheEngineDisplay().SetWindowed(true);
        savedDirectory = QDir::currentPath();
        QDir::setCurrent(Tree().Path());
        SetServerQuitHandler([this] { ++quits; });
        SetDedicatedServerBinding({"+ip", "127.0.0.1", "-port", std::to_string(firstPort)});
    }
    void TearDown() override
    {
        StopEngine();
        TheEngineDisplay().DestroyEngineWindow();
        if (server > 0) {
            ::kill(pid_t(server), SIGTERM);
            server = 0;
        }
        SetServerQuitHandler(nullptr);
        SetDedicatedServerBinding({});
        CNetGameDlg::SetJoinFunction(nullptr);
        QFile::remove(Tree().Abs("vrel/game.cfg"));
        QDir::setCurrent(savedDirectory);
        ServerWorldTest::TearDown();
    }

    CNetGameDoc::Setup LoopbackSetup() const
    {
        CNetGameDoc::Setup setup = CLan::LanSetup();
        setup.lanTarget = QHostAddress(QHostAddress::LocalHost);
        setup.lanFirstPort = quint16(firstPort);
        return setup;
    }

    static CServerInfo* Named(CLan& lan, const std::string& name)
    {
        for (CServerInfo* record = lan.Doc().Head(); record; record = record->next)
            if (record->name == name)
                return record;
        return nullptr;
    }

    const int firstPort = PortBlockOfThisTest();
    QString savedDirectory;
    RecordingPrompt prompt;
    int quits = 0;
    long long server = 0;
};

TEST_F(CreateServerFlow, DedicatedLanServerIsListedAndJoinedWithItsPassword)
{
    Tree().Write("vrel/game.cfg", "\"sv_gravity\"\t\t\"640\"\r\n");
    CLan lan(nullptr, LoopbackSetup());
    lan.show();
    ASSERT_TRUE(RunUntil([&] { return !lan.Searching(); }));

    AnswerCreateDialog(
        [](CCreateServerDlg& dialog) {
            dialog.HostNameEdit()->setText("Ann's \"LAN\" 100%");
            dialog.MaxPlayersEdit()->setText("12");
            dialog.PasswordEdit()->setText("falcon");
            dialog.MapList()->setCurrentRow(1);
            dialog.DedicatedCheck()->setChecked(true);
        },
        true);
    EXPECT_FALSE(CCreateServerDlg::CreateFromGamesDialog(&lan));
    server = LastDedicatedServerProcess();
    ASSERT_GT(server, 0);
    EXPECT_EQ(quits, 1);
    EXPECT_TRUE(prompt.Texts().empty());

    // The server is up once the LAN dialog finds it.
    CServerInfo* record = nullptr;
    ASSERT_TRUE(RunUntil(
        [&] {
            if (!lan.Searching() && !(record = Named(lan, "Ann's LAN 100%")))
                lan.Refresh();
            return record != nullptr;
        },
        15000));
    EXPECT_EQ(record->map, "hollowspire");
    EXPECT_EQ(record->maxplayers, 12);
    EXPECT_TRUE(record->password);
    EXPECT_EQ(record->svtype, 'd');
    EXPECT_EQ(record->dir, "vrel");

    std::string out, err;
    const QString address = QStringLiteral("127.0.0.1:%1").arg(record->port);
    ASSERT_EQ(RunKestrelQuery({"kestrel-query", "rules", address}, out, err, false), 0) << err;
    EXPECT_NE(out.find("sv_gravity"), std::string::npos) << out;
    EXPECT_NE(out.find("640"), std::string::npos) << out;

    // A wrong password brings the question back; the right one gets in.
    ScriptedInputPrompt input;
    input.AddAnswer(std::string("wrong"));
    input.AddAnswer(std::string("falcon"));
    EXPECT_TRUE(CNetGameDlg::JoinServer(*record));
    EXPECT_EQ(input.Questions().size(), 2u);
    ASSERT_EQ(RunKestrelQuery({"kestrel-query", "players", address}, out, err, false), 0) << err;
    EXPECT_NE(out.find("Player"), std::string::npos) << out;
}

TEST_F(CreateServerFlow, MissingServerProgramIsToldAndTheLauncherRuns)
{
    const QString empty = Tree().Abs("no-programs");
    QDir().mkpath(empty);
    Launcher().programDirectory = empty.toStdString();
    CreateServerRequest request = CreateServerRequest::FromTexts("x", "8", "", "ashfall.bsp", true, true);
    EXPECT_FALSE(StartRequestedServer(request));
    EXPECT_EQ(quits, 0);
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_EQ(prompt.Texts()[0], kDedicatedServerMissing);
}

TEST_F(CreateServerFlow, ListenServerIsFoundWhileThePlayerIsOnIt)
{
    EngineHost& host = TheEngineHost();
    ASSERT_TRUE(host.RunEngine(true, "ip 127.0.0.1\nport " + std::to_string(firstPort)));
    CLan lan(nullptr, LoopbackSetup());
    AnswerCreateDialog(
        [](CCreateServerDlg& dialog) {
            dialog.HostNameEdit()->setText("Listen Here");
            dialog.MaxPlayersEdit()->setText("4");
        },
        true);
    ASSERT_TRUE(CCreateServerDlg::CreateFromGamesDialog(&lan));
    EXPECT_EQ(quits, 0);
    ASSERT_TRUE(RunUntil([&] { host.EngineFrame(true); return host.Status().Playing(); }));

    // kestrel-query scans while the engine keeps running its frames.
    QProcess query;
    query.start(QCoreApplication::applicationDirPath() + "/kestrel-query",
                {"lan", "--target", "127.0.0.1", "--port-base", QString::number(firstPort)});
    ASSERT_TRUE(RunUntil(
        [&] {
            host.EngineFrame(true);
            return query.state() == QProcess::NotRunning;
        },
        15000));
    const QString out = QString::fromUtf8(query.readAllStandardOutput());
    EXPECT_EQ(query.exitCode(), 0) << out.toStdString();
    EXPECT_TRUE(out.contains("Listen Here")) << out.toStdString();
    EXPECT_TRUE(out.contains("ashfall")) << out.toStdString();
    EXPECT_TRUE(out.contains("1/4")) << out.toStdString();
    EXPECT_TRUE(host.Status().Playing());
}

TEST_F(CreateServerFlow, CancelLeavesARunningGameAlone)
{
    EngineHost& host = TheEngineHost();
    ASSERT_TRUE(host.RunEngine(true, "map ashfall"));
    ASSERT_TRUE(RunUntil([&] { host.EngineFrame(true); return host.Status().Playing(); }));
    CLan lan(nullptr, LoopbackSetup());
    AnswerCreateDialog([](CCreateServerDlg&) {}, false);
    EXPECT_FALSE(CCreateServerDlg::CreateFromGamesDialog(&lan));
    host.EngineFrame(true);
    EXPECT_TRUE(host.Status().Playing());
    EXPECT_EQ(host.ConsoleVariable("sv_listenport"), "");
}

TEST_F(CreateServerFlow, DialogStartsFromThePlayersNameAndNeedsAMap)
{
    EXPECT_EQ(CCreateServerDlg(true).HostNameEdit()->text(), "Player");
    PlayerConfig player;
    player.name = "Ann \"Q\"";
    SetPlayerConfig(player);
    CCreateServerDlg dialog(true);
    SetPlayerConfig(std::nullopt);
    EXPECT_EQ(dialog.MaxPlayersEdit()->text(), "8");
    EXPECT_EQ(dialog.HostNameEdit()->text(), "Ann Q");
    EXPECT_EQ(dialog.MapList()->count(), 4);
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    EXPECT_EQ(dialog.Request().map, "ashfall");
    dialog.MapList()->clearSelection();
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    EXPECT_EQ(dialog.Request().map, "unknown");
    dialog.MapList()->setCurrentRow(3);
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    EXPECT_EQ(dialog.Request().map, "stormcrag");
    EXPECT_TRUE(dialog.Request().lan);
    EXPECT_FALSE(CCreateServerDlg(false).Request().lan);
}

} // namespace
