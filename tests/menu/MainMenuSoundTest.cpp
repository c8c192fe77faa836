// The main menu's buttons make their sounds through the sound output in use.
#include "app/dialogs/CKSMainDlg.h"
#include "app/engine/EngineHost.h"
#include "app/engine/QtEngineDisplay.h"
#include "app/files/SearchPath.h"
#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"
#include "support/RecordingPrompt.h"
#include "support/TempTree.h"
#include "support/WavBuilder.h"
#include "ui/CODBlendBtn.h"
#include "ui/MenuSound.h"
#include "ui/SoundOutput.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "MenuTestSkin.h"
#include "support/LauncherEngine.h"

namespace {

class MainMenuSoundTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallMenuTestSkin();
        m_savedBase = Launcher().baseDirectory;
        Launcher().baseDirectory = tree.PathStd();
        UseLauncherEngine();
        Launcher().updaterFlag = 0;
        tree.Write("vrel/liblist.gam", "game \"Test\"\n");
        // Each sound has its own length, so the output tells them apart.
        for (int id : {kSoundSelect1, kSoundDownMenu, kSoundGlow})
            tree.Write(QStringLiteral("vrel/media/%1.wav").arg(MenuSoundBaseName(id)),
                       PcmWave(1, 22050, SamplesOf(id)));
        EffectiveCommandLine() = CommandLine("kestrel -noprompt -game vrel");
        ResetSearchPath();
        SetSoundOutput(&output);
        menu = std::make_unique<CKSMainDlg>();
        menu->show();
        menu->OnIdle();
    }

    void TearDown() override
    {
        menu.reset();
        StopEngine();
        TheEngineDisplay().DestroyEngineWindow();
        SetSoundOutput(nullptr);
        EffectiveCommandLine() = CommandLine();
        ResetSearchPath();
        Launcher().baseDirectory = m_savedBase;
    }

    static int SamplesOf(int id) { return 100 + 10 * id; }

    std::vector<int> Played() const
    {
        std::vector<int> ids;
        for (const NullSoundOutput::Played& played : output.History())
            for (int id : {kSoundSelect1, kSoundDownMenu, kSoundGlow})
                if (played.wav.sampleCount == SamplesOf(id))
                    ids.push_back(id);
        return ids;
    }

    TempTree tree;
    NullSoundOutput output;
    RecordingPrompt prompt;
    std::unique_ptr<CKSMainDlg> menu;

private:
    std::string m_savedBase;
};

TEST_F(MainMenuSoundTest, HoverGlowsAndAClickSelects)
{
    CODBlendBtn* button = menu->Button(kMenuQuickStart);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)));
    QCoreApplication::sendEvent(button, &enter);
    EXPECT_EQ(Played(), std::vector<int>{kSoundGlow});
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(Played(), (std::vector<int>{kSoundGlow, kSoundSelect1}));
}

TEST_F(MainMenuSoundTest, QuitSoundsLikeGoingDown)
{
    QTest::mouseClick(menu->Button(kMenuQuit), Qt::LeftButton);
    EXPECT_EQ(Played(), std::vector<int>{kSoundDownMenu});
    EXPECT_FALSE(menu->isVisible());
}

} // namespace
