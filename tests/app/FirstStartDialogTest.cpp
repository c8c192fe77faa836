// The first-start dialog, offscreen: a chosen folder that holds a game is taken and
// remembered, one that does not is refused with a reason, and the demo world button
// lays the world out through the real generator and takes it.
#include "app/dialogs/FirstStartDlg.h"
#include "app/settings/GameTreeChoice.h"
#include "support/ScopedDataHome.h"
#include "support/TempTree.h"
#include "ui/CODBlendBtn.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <gtest/gtest.h>

#include <functional>

namespace {

bool RunUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }
    return true;
}

class FirstStartDialog : public ::testing::Test
{
protected:
    ScopedSettingsFolder settings;
    TempTree tree;
    ScopedDataHome data{tree.Abs("data")};
};

TEST_F(FirstStartDialog, AFolderThatHoldsAGameIsTakenAndRemembered)
{
    tree.Write("game/harrow/liblist.gam", "x");
    tree.Write("game/vrel/liblist.gam", "x");
    FirstStartDlg dialog(GameTreeChoice({}, tree.Abs("program")));
    dialog.SetFolderAsker([&](QWidget*, const QString&) { return tree.Abs("game"); });
    dialog.show();
    dialog.FolderButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.ChosenFolder(), tree.Abs("game"));
    EXPECT_EQ(GameTreeChoice({}, tree.Abs("program")).Decide().folder, tree.Abs("game"));
}

TEST_F(FirstStartDialog, AFolderWithoutAGameIsRefusedWithAReason)
{
    tree.Write("empty/readme.txt", "x");
    FirstStartDlg dialog(GameTreeChoice({}, tree.Abs("program")));
    dialog.SetFolderAsker([&](QWidget*, const QString&) { return tree.Abs("empty"); });
    dialog.show();
    dialog.FolderButton()->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.ChosenFolder().isEmpty());
    EXPECT_TRUE(dialog.StatusLine()->text().contains("holds no game")) << dialog.StatusLine()->text().toStdString();
    EXPECT_TRUE(GameTreeChoice::Remembered().isEmpty());
}

TEST_F(FirstStartDialog, DemoWorldButtonLaysTheWorldOutAndTakesIt)
{
    const QString bin = QString::fromLocal8Bit(qgetenv("KESTREL_BIN_DIR"));
    if (bin.isEmpty())
        GTEST_SKIP() << "KESTREL_BIN_DIR is not set (the test main sets it)";
    FirstStartDlg dialog{GameTreeChoice({}, bin)};
    dialog.show();
    dialog.DemoButton()->click();
    EXPECT_FALSE(dialog.DemoButton()->isEnabled()); // busy while the generator runs
    ASSERT_TRUE(RunUntil([&] { return !dialog.isVisible(); }, 60000)) << dialog.StatusLine()->text().toStdString();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const QString world = tree.Abs("data/Harrow/VREL15/demo-world");
    EXPECT_EQ(dialog.ChosenFolder(), world);
    EXPECT_TRUE(GameTreeChoice::HoldsGame(world));
    EXPECT_EQ(GameTreeChoice::Remembered(), world);
}

TEST_F(FirstStartDialog, AMissingGeneratorLeavesTheDialogOpenWithTheReason)
{
    FirstStartDlg dialog(GameTreeChoice({}, tree.Abs("program")));
    dialog.show();
    dialog.DemoButton()->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.DemoButton()->isEnabled());
    EXPECT_TRUE(dialog.StatusLine()->text().contains("kestrel-demo")) << dialog.StatusLine()->text().toStdString();
}

TEST_F(FirstStartDialog, AHalfWrittenDemoWorldIsNeverTakenAsItIs)
{
    // What a generator stopped halfway leaves: both game folders, none of the last files.
    const QString world = tree.Abs("data/Harrow/VREL15/demo-world");
    ASSERT_TRUE(QDir().mkpath(world + "/harrow") && QDir().mkpath(world + "/vrel"));
    FirstStartDlg dialog(GameTreeChoice({}, tree.Abs("program"))); // no generator there
    dialog.show();
    dialog.DemoButton()->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.ChosenFolder().isEmpty());
    EXPECT_TRUE(GameTreeChoice::Remembered().isEmpty());
}

} // namespace
