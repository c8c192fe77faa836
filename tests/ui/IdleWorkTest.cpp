#include "ui/IdleWork.h"
#include "UiTestSkin.h"
#include "app/engine/EngineInterface.h"
#include "ui/CKSDialog.h"
#include "ui/CKSPromptDlg.h"
#include "ui/ModalIdleLoop.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

class IdleWorkTest : public ::testing::Test
{
protected:
    void SetUp() override { InstallTestSkin(); }
    void TearDown() override { IdleWork::SetFramePump({}); }
};

TEST_F(IdleWorkTest, ModalDialogRunsTheFramePumpAndRegisteredWork)
{
    int frames = 0;
    int work = 0;
    IdleWork::SetFramePump([&] {
        ++frames;
        return int(kEngineSuspended);
    });
    IdleWorkRegistration registration([&] {
        ++work;
        return false;
    });
    CKSDialog dialog;
    QTimer::singleShot(120, &dialog, [&] { dialog.accept(); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_GT(frames, 0);
    EXPECT_GT(work, 0);
    // The frame pump runs before the registered work in every pass.
    EXPECT_GE(frames, work);
    EXPECT_EQ(ModalIdleLoop::Instance().Depth(), 0u);
}

TEST_F(IdleWorkTest, NothingRunsWithoutAnOpenDialog)
{
    int frames = 0;
    IdleWork::SetFramePump([&] {
        ++frames;
        return int(kEngineNoGame);
    });
    QTest::qWait(60);
    EXPECT_EQ(frames, 0);
}

TEST_F(IdleWorkTest, QuietDialogPacesItsPassesWhileARunningEngineIsPumpedAtOnce)
{
    int quiet = 0;
    IdleWork::SetFramePump([&] {
        ++quiet;
        return int(kEngineNoGame);
    });
    CKSDialog quietDialog;
    QTimer::singleShot(150, &quietDialog, [&] { quietDialog.accept(); });
    quietDialog.exec();

    int running = 0;
    IdleWork::SetFramePump([&] {
        ++running;
        return int(kEngineRunning);
    });
    CKSDialog busyDialog;
    QTimer::singleShot(150, &busyDialog, [&] { busyDialog.accept(); });
    busyDialog.exec();

    // 150 ms at the quiet tick is about ten passes; a running engine gets many more.
    EXPECT_LE(quiet, 150 / ModalIdleLoop::kQuietIntervalMs + 3);
    EXPECT_GT(running, 3 * quiet);
}

TEST_F(IdleWorkTest, WorkUnregisteredDuringAPassStopsRunning)
{
    int runs = 0;
    IdleWork::Id id = 0;
    id = IdleWork::Register([&] {
        ++runs;
        IdleWork::Unregister(id);
        return false;
    });
    IdleWork::SetFramePump([] { return int(kEngineNoGame); });
    IdleWork::RunOnce();
    IdleWork::RunOnce();
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(IdleWork::IsRegistered(id));
}

TEST_F(IdleWorkTest, WorkThatOpensADialogIsNotReenteredFromIt)
{
    int framesInside = 0;
    bool inside = false;
    bool reentered = false;
    int runs = 0;
    IdleWork::SetFramePump([&] {
        if (inside)
            ++framesInside;
        return int(kEngineNoGame);
    });
    IdleWorkRegistration registration([&] {
        ++runs;
        if (inside)
            reentered = true;
        if (runs == 1) {
            // A refresh reporting an error while the dialog runs.
            inside = true;
            CKSDialog inner;
            QTimer::singleShot(80, &inner, [&] { inner.accept(); });
            inner.exec();
            inside = false;
        }
        return false;
    });
    CKSDialog outer;
    QTimer::singleShot(200, &outer, [&] { outer.accept(); });
    outer.exec();
    EXPECT_FALSE(reentered);
    EXPECT_GT(framesInside, 0); // the engine kept running behind the inner dialog
    EXPECT_GE(runs, 2);         // and the work ran again once it had closed
}

TEST_F(IdleWorkTest, HalvesOfAPassRunSeparately)
{
    int frames = 0;
    int work = 0;
    IdleWork::SetFramePump([&] {
        ++frames;
        return int(kEngineRunning);
    });
    IdleWorkRegistration registration([&] {
        ++work;
        return false;
    });
    EXPECT_TRUE(IdleWork::RunFramePump());
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(work, 0);
    EXPECT_FALSE(IdleWork::RunRegistered());
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(work, 1);
}

TEST_F(IdleWorkTest, WantsMoreIsReported)
{
    IdleWork::SetFramePump([] { return int(kEngineNoGame); });
    EXPECT_FALSE(IdleWork::RunOnce());
    IdleWorkRegistration busy([] { return true; });
    EXPECT_TRUE(IdleWork::RunOnce());
    busy.Reset();
    IdleWork::SetFramePump([] { return int(kEngineRunning); });
    EXPECT_TRUE(IdleWork::RunOnce());
}

} // namespace
