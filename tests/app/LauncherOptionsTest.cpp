// Two options of the launcher's own: "-nointro" (and the "Skip Intro" setting) leaves
// the intro videos out, and "--help" prints the usage without needing a display.
#include "app/settings/CommandLine.h"
#include "app/settings/IntroChoice.h"
#include "app/settings/LauncherHelp.h"
#include "app/settings/SettingsStore.h"
#include "support/TempTree.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

class ScopedCommandLine
{
public:
    explicit ScopedCommandLine(const std::string& text) : m_saved(EffectiveCommandLine())
    {
        EffectiveCommandLine() = CommandLine(text);
    }
    ~ScopedCommandLine() { EffectiveCommandLine() = m_saved; }

private:
    CommandLine m_saved;
};

TEST(IntroChoice, PlaysUnlessTheOptionOrTheSettingSkipsIt)
{
    ScopedSettingsFolder settings;
    {
        ScopedCommandLine line("kestrel -game vrel");
        EXPECT_TRUE(IntroWanted());
    }
    {
        ScopedCommandLine line("kestrel -nointro -game vrel");
        EXPECT_FALSE(IntroWanted());
    }
    ScopedCommandLine line("kestrel -game vrel");
    SetSettingInt(kSettingsSection, kSkipIntroSetting, 1);
    EXPECT_FALSE(IntroWanted());
    SetSettingInt(kSettingsSection, kSkipIntroSetting, 0);
    EXPECT_TRUE(IntroWanted());
}

TEST(LauncherHelp, AskedByWholeWordsOnly)
{
    const char* help[] = {"kestrel", "-windowed", "--help"};
    EXPECT_TRUE(LauncherHelpAsked(3, help));
    const char* question[] = {"kestrel", "-?"};
    EXPECT_TRUE(LauncherHelpAsked(2, question));
    // "-h" is the engine's height option, and "-helpme" is no help request.
    const char* height[] = {"kestrel", "-h", "600", "-helpme"};
    EXPECT_FALSE(LauncherHelpAsked(4, height));
}

TEST(LauncherHelp, TheProgramPrintsItWithoutADisplay)
{
    const QString bin = QString::fromLocal8Bit(qgetenv("KESTREL_BIN_DIR"));
    if (bin.isEmpty())
        GTEST_SKIP() << "KESTREL_BIN_DIR is not set (the test main sets it)";
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    env.remove("KESTREL_HOME");
    QProcess launcher;
    launcher.setProcessEnvironment(env);
    launcher.start(bin + "/kestrel", {"--help"});
    ASSERT_TRUE(launcher.waitForFinished(30000));
    EXPECT_EQ(launcher.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(launcher.exitCode(), 0);
    const QByteArray out = launcher.readAllStandardOutput();
    EXPECT_TRUE(out.startsWith("usage: kestrel")) << out.toStdString();
    EXPECT_TRUE(out.contains("-nointro"));
    EXPECT_TRUE(launcher.readAllStandardError().isEmpty());
}

} // namespace
