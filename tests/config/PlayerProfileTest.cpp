// The player profile: the first logo for "None", the name and model rules, OK's
// settings, Cancel after Apply putting the configuration and the decal files back,
// and the dialog's tinted preview.
#include "LogoFiles.h"
#include "PlayerConfigFixture.h"
#include "app/settings/SettingsStore.h"
#include "app/text/StringList.h"
#include "config/dialogs/CPlayerProfileDlg.h"
#include "config/player/LogoFile.h"
#include "config/player/PlayerProfile.h"
#include "config/player/VoiceInputLevel.h"
#include "support/TempTree.h"

#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QPixmap>

#include "ui/CODBlendBtn.h"
#include "ui/CODControls.h"

class PlayerProfileTest : public PlayerConfigFixture
{
protected:
    void SetUp() override
    {
        PlayerConfigFixture::SetUp();
        ASSERT_TRUE(LoadPlayerConfig());
        CreatePlayerRecord();
        LogoFileLayout layout;
        tree.Tree().Write("logos/b.bmp", BuildLogoFile(layout));
        layout.width = layout.height = 32;
        tree.Tree().Write("logos/a.bmp", BuildLogoFile(layout));
        for (const char* model : {"helix", "pilgrim"})
            tree.WriteGame(QString("models/player/%1/%1.bmp").arg(model), "BM");
        SetVoiceInputLevel(&voice);
    }

    void TearDown() override
    {
        SetVoiceInputLevel(nullptr);
        SetPlayerRecord(std::nullopt);
        PlayerConfigFixture::TearDown();
    }

    ScopedSettingsFolder settings;
    NullVoiceInputLevel voice;
};

TEST_F(PlayerProfileTest, NoneWithTwoLogosSelectsTheFirstAndApplyWritesItsDecal)
{
    ASSERT_EQ(ThePlayerRecord()->logo, "None");
    PlayerProfile profile;
    ASSERT_TRUE(profile.Open());
    EXPECT_EQ(profile.LogoName(), "a.bmp");
    ASSERT_TRUE(profile.Logo());
    EXPECT_EQ(profile.Logo()->width, 32);
    EXPECT_FALSE(profile.StepLogo(-1));
    profile.Apply();
    EXPECT_EQ(tree.Tree().Read("logos/pldecal.wad").size(), 12 + 2172 + 32);
    EXPECT_EQ(tree.Tree().Read("logos/pldecal.wad"), tree.Tree().Read("vrel/pldecal.wad"));
    EXPECT_TRUE(profile.StepLogo(1));
    EXPECT_EQ(profile.LogoName(), "b.bmp");
    EXPECT_FALSE(profile.StepLogo(1));
}

TEST_F(PlayerProfileTest, NameKeepsPercentAndLosesQuotesAndControlCharacters)
{
    PlayerProfile profile;
    ASSERT_TRUE(profile.Open());
    profile.name = "100% \"Ann\"\x01\t!";
    profile.Apply();
    EXPECT_EQ(ThePlayerConfig()->name, "100% Ann!");
    EXPECT_NE(ConfigText().find("name \"100% Ann!\""), std::string::npos) << ConfigText();
}

TEST_F(PlayerProfileTest, ModelsMatchTheirWholeFolderAndAnUnlistedOneIsKept)
{
    for (const auto& [model, kept] : {std::pair{"x", "x"}, std::pair{"HELIX", "helix"}, std::pair{"lix", "lix"},
                                      std::pair{"myplayer", "myplayer"}}) {
        ThePlayerConfig()->model = model;
        ASSERT_TRUE(SavePlayerConfig());
        PlayerProfile profile;
        ASSERT_TRUE(profile.Open());
        profile.Apply();
        EXPECT_EQ(ThePlayerConfig()->model, kept) << model;
    }
    ThePlayerConfig()->model = "";
    ASSERT_TRUE(SavePlayerConfig());
    PlayerProfile profile;
    ASSERT_TRUE(profile.Open());
    EXPECT_EQ(profile.ModelPath(), "models/player/pilgrim/pilgrim.bmp");
}

TEST_F(PlayerProfileTest, CancelAfterApplyRestoresTheConfigurationAndBothDecalFiles)
{
    ThePlayerConfig()->name = "Ann";
    ASSERT_TRUE(SavePlayerConfig());
    tree.Tree().Write("logos/pldecal.wad", "old decal");
    const QByteArray before = ConfigBytes();

    PlayerProfile profile;
    ASSERT_TRUE(profile.Open());
    profile.name = "Bob";
    profile.SetColour(3);
    profile.Apply();
    ASSERT_EQ(ThePlayerConfig()->name, "Bob");
    ASSERT_TRUE(tree.Tree().Exists("vrel/pldecal.wad"));

    prompt.SetAnswer(kPromptSecond);
    profile.Cancel();
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_EQ(prompt.Texts()[0], GetString(PlayerProfile::kMessageKeepChanges));
    EXPECT_EQ(ThePlayerConfig()->name, "Ann");
    EXPECT_EQ(ConfigBytes(), before);
    EXPECT_EQ(tree.Tree().Read("logos/pldecal.wad"), QByteArray("old decal"));
    EXPECT_FALSE(tree.Tree().Exists("vrel/pldecal.wad"));

    // Without an Apply, Cancel asks nothing.
    PlayerProfile untouched;
    ASSERT_TRUE(untouched.Open());
    prompt.Clear();
    untouched.Cancel();
    EXPECT_TRUE(prompt.Texts().empty());
}

TEST_F(PlayerProfileTest, OkStoresTheLogoChoiceAndTheVoiceLevels)
{
    PlayerProfile profile;
    ASSERT_TRUE(profile.Open());
    profile.StepLogo(1);
    profile.SetColour(7);
    profile.voiceScale = 40;
    profile.voiceInput = 80;
    profile.Ok();
    EXPECT_EQ(GetSettingString("Settings", "Logo", ""), "b.bmp");
    EXPECT_EQ(GetSettingString("Settings", "Logo Color", ""), "Dkgray");
    EXPECT_DOUBLE_EQ(voice.Level(), 0.8);
    EXPECT_FLOAT_EQ(ThePlayerConfig()->voiceScale, 0.4f);
    EXPECT_NE(ConfigText().find("voice_scale \"0.400000\""), std::string::npos) << ConfigText();
}

TEST_F(PlayerProfileTest, WithoutARecordTheProfileDoesNotOpen)
{
    SetPlayerRecord(std::nullopt);
    PlayerProfile profile;
    EXPECT_FALSE(profile.Open());
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_EQ(prompt.Texts()[0], GetString(PlayerProfile::kMessageNoRecord));
}

TEST_F(PlayerProfileTest, DialogTintsThePreviewAndDisablesAMissingCaptureControl)
{
    voice.SetAvailable(false);
    PlayerProfile profile;
    ASSERT_TRUE(profile.Open());
    CPlayerProfileDlg dialog(profile);
    EXPECT_FALSE(dialog.VoiceInputSlider()->isEnabled());
    EXPECT_TRUE(dialog.VoiceScaleSlider()->isEnabled());
    EXPECT_FALSE(dialog.PreviousButton()->isEnabled());
    const QImage orange = dialog.Preview()->pixmap().toImage();
    ASSERT_FALSE(orange.isNull());
    dialog.ColourList()->setCurrentIndex(1); // Blue
    const QImage blue = dialog.Preview()->pixmap().toImage();
    // Pixel (1, 0) has index 7: tinted, its red goes and its blue comes.
    EXPECT_EQ(qRed(orange.pixel(1, 0)), 7 * 255 / 256);
    EXPECT_EQ(qRed(blue.pixel(1, 0)), 0);
    EXPECT_EQ(qBlue(blue.pixel(1, 0)), 7 * 255 / 256);

    QTest::mouseClick(dialog.NextButton(), Qt::LeftButton);
    EXPECT_EQ(profile.LogoName(), "b.bmp");
    dialog.NameField()->setText("Cy");
    QTest::mouseClick(dialog.ApplyButton(), Qt::LeftButton);
    EXPECT_EQ(ThePlayerConfig()->name, "Cy");
}

// Another page or the engine changes the player's files while the profile is not
// shown; showing it again shows the files, but an edit not yet applied stays.
TEST_F(PlayerProfileTest, ShownAgainTheProfileReadsThePlayersFilesAndKeepsUnappliedEdits)
{
    ASSERT_TRUE(SetConfigValue(kPlayerConfigFile, "name", "Ann", true));
    PlayerProfile profile;
    ASSERT_TRUE(profile.Open());
    EXPECT_EQ(profile.name, "Ann");
    CPlayerProfileDlg dialog(profile);
    dialog.show();
    EXPECT_EQ(dialog.NameField()->text(), "Ann");
    EXPECT_EQ(profile.LogoName(), "a.bmp");

    ASSERT_TRUE(SetConfigValue(kPlayerConfigFile, "name", "Zed", true));
    ASSERT_TRUE(SetConfigValue(kPlayerConfigFile, "cl_himodels", "1", false));
    SetSettingString("Settings", PlayerRecord::kLogoSetting, "b.bmp");
    dialog.hide();
    dialog.show();
    EXPECT_EQ(dialog.NameField()->text(), "Zed");
    EXPECT_TRUE(dialog.HighModelsBox()->isChecked());
    EXPECT_EQ(profile.LogoName(), "b.bmp");

    dialog.NameField()->setText("Mine");
    ASSERT_TRUE(SetConfigValue(kPlayerConfigFile, "name", "Other", true));
    ASSERT_TRUE(SetConfigValue(kPlayerConfigFile, "cl_himodels", "0", false));
    dialog.hide();
    dialog.show();
    EXPECT_EQ(dialog.NameField()->text(), "Mine");
    EXPECT_FALSE(dialog.HighModelsBox()->isChecked());
    dialog.accept();
    EXPECT_EQ(ThePlayerConfig()->name, "Mine");
    EXPECT_EQ(GetConfigValue(kPlayerConfigFile, "name"), "Mine");
}

// Apply stores the name and switches only; the logo, its colour and the voice levels
// wait for OK, so reading the files again keeps them as edited.
TEST_F(PlayerProfileTest, ReadAgainAfterApplyKeepsTheEditsApplyDoesNotStore)
{
    PlayerProfile profile;
    ASSERT_TRUE(profile.Open());
    profile.StepLogo(1);
    profile.SetColour(7);
    profile.voiceScale = 40;
    profile.voiceInput = 80;
    profile.name = "Applied";
    profile.Apply();
    ASSERT_TRUE(SetConfigValue(kPlayerConfigFile, "name", "Engine", true));
    profile.Reload();
    EXPECT_EQ(profile.name, "Engine");
    EXPECT_EQ(profile.LogoName(), "b.bmp");
    EXPECT_EQ(profile.ColourIndex(), 7);
    EXPECT_EQ(profile.voiceScale, 40);
    EXPECT_EQ(profile.voiceInput, 80);
    profile.Ok();
    EXPECT_EQ(GetSettingString("Settings", "Logo", ""), "b.bmp");
    EXPECT_FLOAT_EQ(ThePlayerConfig()->voiceScale, 0.4f);
}

// Cancel takes back what the page applied, not what the user information page saved
// in the meantime.
TEST_F(PlayerProfileTest, CancelKeepsWhatTheUserInformationPageSaved)
{
    ThePlayerConfig()->name = "Ann";
    ASSERT_TRUE(SavePlayerConfig());
    PlayerProfile profile;
    ASSERT_TRUE(profile.Open());
    profile.name = "Bob";
    profile.highModels = !profile.highModels;
    profile.Apply();
    ThePlayerConfig()->sensitivity = 7.0f; // as the user information page saves it
    ASSERT_TRUE(SavePlayerConfig());
    profile.Reload();

    prompt.SetAnswer(kPromptSecond);
    profile.Cancel();
    EXPECT_EQ(ThePlayerConfig()->name, "Ann");
    EXPECT_FLOAT_EQ(ThePlayerConfig()->sensitivity, 7.0f);
    EXPECT_NE(ConfigText().find("sensitivity \"7.000000\""), std::string::npos) << ConfigText();
    EXPECT_NE(ConfigText().find("name \"Ann\""), std::string::npos) << ConfigText();
}
