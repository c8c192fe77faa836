// The real launcher on the demo world, offscreen: start-up gets through to the main
// menu without a modal window in its way (a prompt left open, or an intro waiting for
// a video), the menu starts the engine with "+map" at its first idle moment, the
// engine saves into the game directory, and the launcher ends cleanly when asked to.
#include "DemoTreeFixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <functional>

namespace {

using DemoLauncherProcessTest = DemoTreeTest;

bool WaitFor(const std::function<bool()>& condition, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > ms)
            return false;
        QThread::msleep(50);
    }
    return true;
}

// Private settings and runtime folders for one launcher process on the demo world.
QProcessEnvironment LauncherEnvironment(const TempTree& home, const QString& world)
{
    QDir().mkpath(home.Abs("runtime"));
    QFile::setPermissions(home.Abs("runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", home.Abs("config"));
    env.insert("XDG_RUNTIME_DIR", home.Abs("runtime"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("KESTREL_HOME", world);
    return env;
}

TEST_F(DemoLauncherProcessTest, MenuStartsTheEngineWhichSavesAndTheLauncherQuitsOnRequest)
{
    const QString bin = QString::fromLocal8Bit(qgetenv("KESTREL_BIN_DIR"));
    if (bin.isEmpty())
        GTEST_SKIP() << "KESTREL_BIN_DIR is not set (the test main sets it)";
    TempTree home;
    const QProcessEnvironment env = LauncherEnvironment(home, Tree().Path());

    const QString save = Tree().Abs("vrel/SAVE/probe.sav");
    QFile::remove(save);
    QProcess launcher;
    launcher.setProcessEnvironment(env);
    launcher.start(bin + "/kestrel", {"-noprompt", "-cpumhz", "400", "+map", "windward", "+save", "probe"});
    ASSERT_TRUE(launcher.waitForStarted(10000));
    EXPECT_TRUE(WaitFor([&] { return QFile::exists(save); }, 20000))
        << "the engine never ran: " << launcher.readAllStandardError().toStdString();
    ASSERT_EQ(launcher.state(), QProcess::Running) << launcher.readAllStandardError().toStdString();

    ::kill(pid_t(launcher.processId()), SIGTERM);
    ASSERT_TRUE(launcher.waitForFinished(15000)) << "the launcher did not end";
    EXPECT_EQ(launcher.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(launcher.exitCode(), 0);
    QFile::remove(save); // the world is shared by the suite
}

TEST_F(DemoLauncherProcessTest, TerminationWhileTheMenuIsShownEndsWithoutTheQuitPrompt)
{
    const QString bin = QString::fromLocal8Bit(qgetenv("KESTREL_BIN_DIR"));
    if (bin.isEmpty())
        GTEST_SKIP() << "KESTREL_BIN_DIR is not set (the test main sets it)";
    TempTree home;
    QProcess launcher;
    QProcessEnvironment env = LauncherEnvironment(home, Tree().Path());
    // The menu reports its first idle moment: from then on a close would ask.
    env.insert("QT_LOGGING_RULES", "kestrel.menu.info=true");
    launcher.setProcessEnvironment(env);
    launcher.setReadChannel(QProcess::StandardError);
    // No "-noprompt": closing the menu would normally ask "Leave Kestrel?", which nobody
    // answers when the session ends the launcher.
    launcher.start(bin + "/kestrel", {"-cpumhz", "400"});
    ASSERT_TRUE(launcher.waitForStarted(10000));
    QByteArray errors;
    QElapsedTimer timer;
    timer.start();
    while (!errors.contains("main menu idle") && launcher.state() == QProcess::Running && timer.elapsed() < 20000) {
        launcher.waitForReadyRead(100);
        errors += launcher.readAllStandardError();
    }
    ASSERT_TRUE(errors.contains("main menu idle")) << "the menu never became idle: " << errors.toStdString();
    ASSERT_EQ(launcher.state(), QProcess::Running) << errors.toStdString();

    ::kill(pid_t(launcher.processId()), SIGTERM);
    ASSERT_TRUE(launcher.waitForFinished(15000)) << "the launcher waited on a prompt";
    EXPECT_EQ(launcher.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(launcher.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(home.Abs("runtime/KESTRELLAUNCHER")));
}

} // namespace
