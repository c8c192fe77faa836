// The main menu's buttons make their sounds through the sound output in use.
#include "app/CKSMainDlg.h"
#include "app/CommandLine.h"
#include "app/EngineHost.h"
#include "app/LauncherState.h"
#include "app/QtEngineDisplay.h"
#include "app/SearchPath.h"
#include "support/RecordingPrompt.h"
#include "support/TempTree.h"
#include "ui/CODBlendBtn.h"
#include "ui/MenuSound.h"
#include "ui/SoundOutput.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "MenuTestSkin.h"

namespace {

// A 16-bit mono PCM file with the given number of samples.
QByteArray Wave(int samples)
{
    QByteArray body("WAVEfmt ");
    auto u16 = [&body](uint16_t v) { body.append(char(v & 0xFF)).append(char(v >> 8)); };
    auto u32 = [&body](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            body.append(char((v >> (8 * i)) & 0xFF));
    };
    u32(16);
    u16(1);
    u16(1);
    u32(22050);
    u32(44100);
    u16(2);
    u16(16);
    body.append("data");
    u32(uint32_t(samples * 2));
    body.append(QByteArray(samples * 2, '\0'));
    QByteArray file("RIFF");
    const uint32_t size = uint32_t(body.size());
    for (int i = 0; i < 4; ++i)
        file.append(char((size >> (8 * i)) & 0xFF));
    return file + body;
}

class MainMenuSoundTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallMenuTestSkin();
        m_savedBase = Launcher().baseDirectory;
        Launcher().baseDirectory = tree.PathStd();
        Launcher().programDirectory = QCoreApplication::applicationDirPath().toStdString();
        Launcher().updaterFlag = 0;
        tree.Write("vrel/liblist.gam", "game \"Test\"\n");
        // Each sound has its own length, so the output tells them apart.
        for (int id : {kSoundSelect1, kSoundDownMenu, kSoundGlow})
            tree.Write(QStringLiteral("vrel/media/%1.wav").arg(MenuSoundBaseName(id)), Wave(SamplesOf(id)));
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
