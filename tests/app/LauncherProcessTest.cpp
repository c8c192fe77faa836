// Runs the real launcher program: it takes the single-instance lock, writes its
// settings, turns a second launcher away silently and shuts down cleanly.
#include "support/TempTree.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>

namespace {

QString LauncherPath()
{
    return QString::fromLocal8Bit(qgetenv("KESTREL_BIN_DIR")) + "/kestrel";
}

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

} // namespace

TEST(LauncherProcess, HoldsTheLockWritesSettingsAndExitsCleanly)
{
    if (qgetenv("KESTREL_BIN_DIR").isEmpty())
        GTEST_SKIP() << "KESTREL_BIN_DIR is not set (the test main sets it)";
    TempTree home;
    TempTree game;
    game.Write("harrow/readme.txt", "base");
    // Without a key list the launcher does not start.
    game.Write("harrow/gfx/shell/kb_keys.lst", "0 \"<UNKNOWN>\" \"Unused\" NOCOLOR\n");

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", home.Abs("config"));
    env.insert("XDG_RUNTIME_DIR", home.Abs("runtime"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("KESTREL_HOME", game.Path());
    QDir().mkpath(home.Abs("runtime"));
    QFile::setPermissions(home.Abs("runtime"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    QProcess first;
    first.setProcessEnvironment(env);
    first.start(LauncherPath(), {"-game", "foo"});
    ASSERT_TRUE(first.waitForStarted(10000));

    const QString ini = home.Abs("config/Harrow/VREL15.ini");
    ASSERT_TRUE(WaitFor([&] { return QSettings(ini, QSettings::IniFormat).contains("Settings/CPUMHZ"); },
                        60000))
        << first.readAllStandardError().toStdString();
    QSettings settings(ini, QSettings::IniFormat);
    EXPECT_EQ(settings.value("Settings/LauncherWidth").toInt(), 640);
    EXPECT_EQ(settings.value("Settings/LauncherHeight").toInt(), 480);
    EXPECT_EQ(settings.value("Settings/LauncherBPP").toInt(), 16);
    EXPECT_EQ(settings.value("Settings/Version").toInt(), 1);
    EXPECT_TRUE(home.Exists("runtime/KESTRELLAUNCHER"));

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(LauncherPath(), {});
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardOutput().isEmpty());
    EXPECT_TRUE(second.readAllStandardError().isEmpty());
    EXPECT_EQ(first.state(), QProcess::Running);

    ::kill(pid_t(first.processId()), SIGTERM);
    ASSERT_TRUE(first.waitForFinished(30000));
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();
    EXPECT_FALSE(home.Exists("runtime/KESTRELLAUNCHER"));
}
