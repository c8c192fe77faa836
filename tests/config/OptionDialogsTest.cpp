// The Audio, Game options and Controls pages, driven through their widgets.
#include "PlayerConfigFixture.h"

#include "app/video/VideoState.h"
#include "config/dialogs/CAudioDlg.h"
#include "config/dialogs/CGameOptionsDlg.h"
#include "config/dialogs/CKeyboardDlg.h"
#include "config/dialogs/CODKeySearchComboBox.h"
#include "config/dialogs/COptionsPage.h"
#include "config/dialogs/CSetInfoDlg.h"
#include "config/dialogs/KeyBindingList.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QWheelEvent>

namespace {

class OptionDialogs : public PlayerConfigFixture
{
protected:
    void SetUp() override
    {
        PlayerConfigFixture::SetUp();
        Video().restartForced = false;
        WriteConfig("bind \"e\" \"+forward\"\nvolume \"0.7\"\nsensitivity \"0.7\"\nm_pitch \"-0.022\"\n"
                    "bgmvolume \"1\"\nlookstrafe \"1\"\n+mlook\n");
        ASSERT_TRUE(LoadPlayerConfig());
        ASSERT_TRUE(SavePlayerConfig());
        before = ConfigBytes();
    }
    void TearDown() override
    {
        Video().restartForced = false;
        PlayerConfigFixture::TearDown();
    }

    static void Press(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(widget, &press);
    }

    // The questions asked (skin messages aside).
    int Questions() const
    {
        int count = 0;
        for (PromptButtons buttons : prompt.Buttons())
            count += buttons == PromptButtons::OkCancel ? 1 : 0;
        return count;
    }

    QByteArray before;
};

} // namespace

TEST_F(OptionDialogs, UntouchedPagesLeaveTheFileByteForByte)
{
    {
        CAudioDlg audio;
        EXPECT_EQ(audio.VolumeSlider()->value(), 70);
        audio.accept();
    }
    {
        CGameOptionsDlg options;
        EXPECT_EQ(options.SensitivitySlider()->value(), 7);
        EXPECT_TRUE(options.ReverseMouseBox()->isChecked());
        options.accept();
    }
    {
        CKeyboardDlg keys;
        keys.accept();
    }
    EXPECT_EQ(ConfigBytes(), before);
    EXPECT_NE(ConfigText().find("volume \"0.7\""), std::string::npos);
    EXPECT_FALSE(Video().restartForced);
}

TEST_F(OptionDialogs, AudioSliderMovedWithKeysIsSavedAndCancelRestores)
{
    {
        CAudioDlg audio;
        Press(audio.VolumeSlider(), Qt::Key_Right);
        EXPECT_TRUE(Video().restartForced);
        audio.reject();
    }
    EXPECT_FALSE(Video().restartForced);
    EXPECT_EQ(ConfigBytes(), before);
    {
        CAudioDlg audio;
        Press(audio.VolumeSlider(), Qt::Key_Right);
        audio.HighQualityBox()->click();
        EXPECT_FALSE(audio.Sound3dBox()->isEnabled());
        audio.accept();
    }
    EXPECT_EQ(GetConfigValue(kPlayerConfigFile, "volume"), "0.710000");
    EXPECT_EQ(GetConfigValue(kPlayerConfigFile, "hisound"), "0.000000");
    EXPECT_TRUE(Video().restartForced);
}

TEST_F(OptionDialogs, GameOptionsPitchSignAndSensitivity)
{
    {
        CGameOptionsDlg options;
        options.ReverseMouseBox()->click();
        options.SensitivitySlider()->setValue(55);
        options.MouseLookBox()->click();
        EXPECT_FALSE(options.LookStrafeBox()->isEnabled());
        options.accept();
    }
    EXPECT_EQ(GetConfigValue(kPlayerConfigFile, "m_pitch"), "0.022000");
    EXPECT_EQ(GetConfigValue(kPlayerConfigFile, "sensitivity"), "5.500000");
    EXPECT_EQ(GetConfigValue(kPlayerConfigFile, "lookstrafe"), "1");
    EXPECT_EQ(ConfigText().find("+mlook"), std::string::npos);

    ThePlayerConfig()->mPitch = 0;
    {
        CGameOptionsDlg options;
        options.ReverseMouseBox()->click();
        options.accept();
    }
    EXPECT_EQ(GetConfigValue(kPlayerConfigFile, "m_pitch"), "0.000000");
}

TEST_F(OptionDialogs, PagesNeedAPlayerConfiguration)
{
    SetPlayerConfig(std::nullopt);
    CAudioDlg::Run(nullptr);
    CGameOptionsDlg::Run(nullptr);
    CKeyboardDlg::Run(nullptr);
    ASSERT_EQ(prompt.Texts().size(), 3u);
    EXPECT_NE(prompt.Texts()[0].find("No player configuration"), std::string::npos);
}

TEST_F(OptionDialogs, KeyboardCaptureThroughEvents)
{
    CKeyboardDlg keys;
    KeyBindingList* list = keys.List();
    const int useRow = 3; // blank, forward, back, use
    list->Select(useRow, 1);
    ASSERT_TRUE(list->StartCapture());
    Press(list, Qt::Key_F12);
    EXPECT_EQ(keys.Model().Rows()[useRow].keys[0], "F12");

    list->Select(useRow, 2);
    ASSERT_TRUE(list->StartCapture());
    Press(list, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(keys.Model().Rows()[useRow].keys[1], "KP_ENTER");

    // Escape and a horizontal wheel turn change nothing; Tab is a key.
    list->Select(useRow + 1, 1);
    ASSERT_TRUE(list->StartCapture());
    Press(list, Qt::Key_Escape);
    EXPECT_FALSE(keys.Model().Capturing());
    EXPECT_EQ(keys.Model().Rows()[useRow + 1].keys[0], "");
    ASSERT_TRUE(list->StartCapture());
    QWheelEvent sideways(QPointF(5, 30), QPointF(5, 30), QPoint(), QPoint(120, 0), Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
    QApplication::sendEvent(list, &sideways);
    EXPECT_TRUE(keys.Model().Capturing());
    QTest::mouseClick(list, Qt::MiddleButton, Qt::NoModifier, QPoint(5, 30));
    EXPECT_EQ(keys.Model().Rows()[useRow + 1].keys[0], "MOUSE3");

    // A separator cannot capture.
    list->Select(0, 1);
    EXPECT_FALSE(list->StartCapture());

    // The chooser's typing search, then Enter assigns.
    list->Select(1, 1);
    keys.Chooser()->setFocus();
    QTest::keyClick(keys.Chooser(), Qt::Key_M);
    EXPECT_EQ(keys.Chooser()->currentText(), "m");
    QTest::keyClick(keys.Chooser(), Qt::Key_M);
    EXPECT_EQ(keys.Chooser()->currentText(), "MOUSE1");
    QTest::keyClick(keys.Chooser(), Qt::Key_Return);
    EXPECT_EQ(keys.Model().Rows()[1].keys[0], "MOUSE1");

    keys.accept();
    EXPECT_NE(ConfigText().find("bind \"F12\" \"+use\""), std::string::npos) << ConfigText();
    EXPECT_NE(ConfigText().find("bind \"KP_ENTER\" \"+use\""), std::string::npos);
    EXPECT_NE(ConfigText().find("bind \"MOUSE1\" \"+forward\""), std::string::npos);
}

TEST_F(OptionDialogs, KeyboardCancelAsksAndUseDefaultsThenCancelKeepsEverything)
{
    {
        CKeyboardDlg keys;
        keys.UseDefaults();
        prompt.SetAnswer(kPromptSecond);
        static_cast<QDialog&>(keys).reject();
        EXPECT_EQ(Questions(), 1);
        prompt.SetAnswer(kPromptFirst);
        static_cast<QDialog&>(keys).reject();
        EXPECT_EQ(keys.result(), QDialog::Rejected);
    }
    EXPECT_EQ(ThePlayerConfig()->bindings[size_t('e')].command, "+forward");
    EXPECT_FALSE(ThePlayerConfig()->bindings[size_t('w')].command);
    EXPECT_EQ(ConfigBytes(), before);
    // Without changes Cancel closes at once.
    CKeyboardDlg untouched;
    static_cast<QDialog&>(untouched).reject();
    EXPECT_EQ(Questions(), 2);
}

TEST_F(OptionDialogs, UserInfoWritesItsOptionsAndTheConfigurationKeepsThem)
{
    tree.WriteGame("user.scr", "VERSION 1.0\r\nDESCRIPTION INFO_OPTIONS\r\n{\r\n"
                               "  \"name\" { \"Your name\" { STRING } { \"Nobody\" } }\r\n"
                               "  \"cl_lw\" { \"Predict\" { BOOL } { \"1\" } SetInfo }\r\n}\r\n");
    {
        CSetInfoDlg info;
        ASSERT_TRUE(info.Opened());
        // The player's file gives the current value.
        EXPECT_EQ(info.Page()->EditAt(0)->text(), "Player");
        info.Page()->EditAt(0)->setText("Zed");
        info.SensitivityEdit()->setText("4.5");
        info.accept();
    }
    EXPECT_EQ(ThePlayerConfig()->name, "Zed");
    EXPECT_FLOAT_EQ(ThePlayerConfig()->sensitivity, 4.5f);
    {
        // Not a number as a whole: the sensitivity stays.
        CSetInfoDlg info;
        info.SensitivityEdit()->setText("5,5");
        info.accept();
    }
    EXPECT_FLOAT_EQ(ThePlayerConfig()->sensitivity, 4.5f);
    EXPECT_NE(ConfigText().find("setinfo cl_lw \"1\""), std::string::npos) << ConfigText();
    EXPECT_NE(tree.Tree().Read("vrel/user.scr").indexOf("\"Zed\""), -1);
    // A later save from another page does not bring the old name back.
    ThePlayerConfig()->volume = 0.25f;
    ASSERT_TRUE(SavePlayerConfig());
    EXPECT_EQ(GetConfigValue(kPlayerConfigFile, "name"), "Zed");
}
