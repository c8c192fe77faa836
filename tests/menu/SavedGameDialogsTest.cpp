// The load and save dialogs and the configuration dialog that opens them.
#include "app/dialogs/CConfigDlg.h"
#include "app/dialogs/CLoadDlg.h"
#include "app/dialogs/CSaveDlg.h"
#include "app/menu/MenuCommandQueue.h"
#include "app/saves/SaveGameWriter.h"
#include "app/settings/LauncherState.h"
#include "app/text/StringList.h"
#include "support/RecordingPrompt.h"
#include "support/TempTree.h"
#include "ui/CODBlendBtn.h"

#include <QApplication>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "MenuTestSkin.h"

namespace {

class SavedGameDialogsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallMenuTestSkin();
        savedGameDirectory = Launcher().gameDirectory;
        Launcher().gameDirectory = tree.PathStd() + "/vrel";
        TakeMenuCommand();
    }
    void TearDown() override
    {
        Launcher().gameDirectory = savedGameDirectory;
        TakeMenuCommand();
    }

    void WriteSave(const std::string& file, const std::string& title)
    {
        SaveGameInfo info;
        info.mapName = "windward";
        info.comment = SaveComment(title, 75);
        ASSERT_TRUE(WriteSaveGame(Launcher().gameDirectory + "/SAVE/" + file, info));
    }

    TempTree tree;
    RecordingPrompt prompt;
    std::string savedGameDirectory;
};

TEST_F(SavedGameDialogsTest, LoadButtonNeedsASavedGame)
{
    CLoadDlg empty;
    EXPECT_EQ(empty.List()->topLevelItemCount(), 0);
    EXPECT_FALSE(empty.LoadButton()->isEnabled());

    WriteSave("Kestrel-000.sav", "Cliff path");
    CLoadDlg dialog;
    ASSERT_EQ(dialog.List()->topLevelItemCount(), 1);
    EXPECT_EQ(dialog.List()->topLevelItem(0)->text(0), "Cliff path");
    EXPECT_EQ(dialog.List()->topLevelItem(0)->text(1), "windward");
    EXPECT_EQ(dialog.List()->topLevelItem(0)->text(2), "01:15");
    EXPECT_TRUE(dialog.LoadButton()->isEnabled());
}

TEST_F(SavedGameDialogsTest, LoadingHandsTheCommandToTheMenuAndCloses)
{
    WriteSave("Kestrel-003.sav", "Harbour");
    CLoadDlg dialog;
    dialog.show();
    QTest::mouseClick(dialog.LoadButton(), Qt::LeftButton);
    EXPECT_EQ(TakeMenuCommand(), "load Kestrel-003.sav\n");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(SavedGameDialogsTest, SaveListStartsWithTheNewSave)
{
    WriteSave("Kestrel-000.sav", "First");
    CSaveDlg dialog;
    ASSERT_EQ(dialog.List()->topLevelItemCount(), 2);
    EXPECT_EQ(dialog.Entries()[0].fileName, "Kestrel-001.sav");
    EXPECT_EQ(dialog.List()->topLevelItem(0)->text(0).toStdString(), GetString(385));
    EXPECT_EQ(dialog.List()->topLevelItem(1)->text(0), "First");
}

TEST_F(SavedGameDialogsTest, SavingWithoutAGameIsRefused)
{
    CSaveDlg dialog;
    dialog.show();
    QTest::mouseClick(dialog.SaveButton(), Qt::LeftButton);
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_EQ(prompt.Texts()[0], GetString(358));
    EXPECT_TRUE(TakeMenuCommand().empty());
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(SavedGameDialogsTest, ConfigurationOpensTheSavedGameDialogs)
{
    WriteSave("Kestrel-000.sav", "Opened");
    CConfigDlg config;
    config.show();
    ASSERT_NE(config.PageButton("Video"), nullptr);
    ASSERT_NE(config.PageButton("Save Game"), nullptr);
    CODBlendBtn* load = config.PageButton("Load Game");
    ASSERT_NE(load, nullptr);
    bool sawLoadDialog = false;
    QTimer::singleShot(0, &config, [&] {
        auto* dialog = qobject_cast<CLoadDlg*>(QApplication::activeModalWidget());
        sawLoadDialog = dialog != nullptr;
        if (dialog)
            dialog->Load();
    });
    QTest::mouseClick(load, Qt::LeftButton);
    EXPECT_TRUE(sawLoadDialog);
    EXPECT_EQ(TakeMenuCommand(), "load Kestrel-000.sav\n");
}

TEST_F(SavedGameDialogsTest, OtherSubsystemsAddTheirPages)
{
    int opened = 0;
    CConfigDlg::AddPage("Audio", [&](QWidget*) { ++opened; });
    CConfigDlg config;
    ASSERT_NE(config.PageButton("Audio"), nullptr);
    config.PageButton("Audio")->click();
    EXPECT_EQ(opened, 1);
    CConfigDlg::AddPage("Audio", [](QWidget*) {});
}

} // namespace
