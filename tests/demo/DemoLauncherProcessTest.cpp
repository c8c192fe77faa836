// The real launcher on the demo world, offscreen: start-up gets through to the main
// menu without a modal window in its way (a prompt left open, or an intro waiting for
// a video), the menu starts the engine with "+map" at its first idle moment, the
// engine saves into the game directory, and the launcher ends cleanly when asked to.
// The engine is given the processor values, its memory and the launcher's services.
#include "DemoTreeFixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <cstring>
#include <functional>
#include <sstream>

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

TEST_F(DemoLauncherProcessTest, EngineIsGivenTheProcessorValuesItsMemoryAndTheVideoServices)
{
    const QString bin = QString::fromLocal8Bit(qgetenv("KESTREL_BIN_DIR"));
    if (bin.isEmpty())
        GTEST_SKIP() << "KESTREL_BIN_DIR is not set (the test main sets it)";
    TempTree home;
    // "-toconsole" starts the engine at the menu's first idle moment; the stand-in
    // engine writes what it was handed to standard output.
    QProcess launcher;
    launcher.setProcessEnvironment(LauncherEnvironment(home, Tree().Path()));
    launcher.start(bin + "/kestrel",
                   {"-noprompt", "-toconsole", "-mmx", "-cpumhz", "450", "-heapsize", "20480", "-windowed"});
    ASSERT_TRUE(launcher.waitForStarted(10000));
    QByteArray output;
    const bool reported = WaitFor(
        [&] {
            launcher.waitForReadyRead(50);
            output += launcher.readAllStandardOutput();
            const qsizetype start = output.indexOf("Stand-in engine");
            return start >= 0 && output.indexOf('\n', start) > start;
        },
        20000);
    ::kill(pid_t(launcher.processId()), SIGTERM);
    ASSERT_TRUE(launcher.waitForFinished(15000)) << "the launcher did not end";
    ASSERT_TRUE(reported) << "the engine never started: " << launcher.readAllStandardError().toStdString();
    EXPECT_EQ(launcher.exitCode(), 0);

    const std::string text = output.toStdString();
    const size_t start = text.find("Stand-in engine");
    const std::string line = text.substr(start, text.find('\n', start) - start);
    EXPECT_NE(line.find("MMX 1, 450 MHz, 20971520 bytes of memory"), std::string::npos) << line;
    EXPECT_NE(line.find(" windowed, surface cache "), std::string::npos) << line;
    // Only the entries of parts the launcher does not have yet (CD audio, the custom
    // game lookup) may be missing.
    const size_t missing = line.find("missing: ");
    if (missing != std::string::npos) {
        std::istringstream entries(line.substr(missing + std::strlen("missing: ")));
        for (int entry; entries >> entry;)
            EXPECT_TRUE((entry >= 14 && entry <= 18) || entry == 27) << line;
    }
}

} // namespace
