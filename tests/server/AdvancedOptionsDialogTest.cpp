// The server options dialog over the demo game's settings.scr: OK writes game.cfg and
// settings.scr into the game directory as spelled on disk (a read-only settings.scr
// too), Cancel writes nothing, and a failed write is reported.
#include "ServerWorld.h"
#include "app/files/SearchPath.h"
#include "app/settings/CommandLine.h"
#include "config/dialogs/CAdvancedMPDlg.h"
#include "config/dialogs/CCreateServerDlg.h"
#include "config/dialogs/COptionsPage.h"
#include "config/server/AdvancedServerOptions.h"
#include "support/RecordingPrompt.h"
#include "ui/CODBlendBtn.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTimer>
#include <QtTest/QTest>

#include <functional>

namespace {

class AdvancedOptionsDialog : public ServerWorldTest
{
protected:
    void SetUp() override
    {
        ServerWorldTest::SetUp();
        original = Tree().Read("vrel/settings.scr");
        ASSERT_FALSE(original.isEmpty());
        QFile::remove(Tree().Abs("vrel/game.cfg"));
    }
    void TearDown() override
    {
        QFile::setPermissions(Tree().Abs("vrel/settings.scr"), QFile::ReadOwner | QFile::WriteOwner);
        Tree().Write("vrel/settings.scr", original);
        QDir(Tree().Abs("vrel/game.cfg")).removeRecursively();
        QFile::remove(Tree().Abs("vrel/game.cfg"));
        ServerWorldTest::TearDown();
    }

    // Edits the first text option of the page to the value and presses a button.
    static void EditFirstTextOption(CAdvancedMPDlg& dialog, const QString& value)
    {
        for (int row = 0;; ++row) {
            ASSERT_NE(dialog.Page()->RowWidget(row), nullptr);
            if (QLineEdit* edit = dialog.Page()->EditAt(row)) {
                edit->setText(value);
                return;
            }
        }
    }

    QByteArray original;
    RecordingPrompt prompt;
};

TEST_F(AdvancedOptionsDialog, OkWritesBothFilesEvenOverAReadOnlyScript)
{
    ASSERT_TRUE(QFile::setPermissions(Tree().Abs("vrel/settings.scr"), QFile::ReadOwner | QFile::ReadGroup));
    // The launcher's game directory spelled otherwise than on disk.
    EffectiveCommandLine() = CommandLine("kestrel -game VREL");
    ResetSearchPath();
    auto description = LoadServerOptions();
    ASSERT_TRUE(description);
    CAdvancedMPDlg dialog(*description);
    EditFirstTextOption(dialog, "9123");
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(prompt.Texts().empty()) << prompt.Texts()[0];
    const QByteArray cfg = Tree().Read("vrel/game.cfg");
    EXPECT_TRUE(cfg.contains("\"9123\"")) << cfg.toStdString();
    const QByteArray script = Tree().Read("vrel/settings.scr");
    EXPECT_NE(script, original);
    EXPECT_TRUE(script.contains("9123"));
    EXPECT_FALSE(QDir(Tree().Abs("VREL")).exists());
}

TEST_F(AdvancedOptionsDialog, CancelWritesNothing)
{
    auto description = LoadServerOptions();
    ASSERT_TRUE(description);
    CAdvancedMPDlg dialog(*description);
    EditFirstTextOption(dialog, "9123");
    QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(Tree().Exists("vrel/game.cfg"));
    EXPECT_EQ(Tree().Read("vrel/settings.scr"), original);
}

TEST_F(AdvancedOptionsDialog, AFailedWriteIsReported)
{
    // A folder where game.cfg belongs cannot be replaced by a file.
    ASSERT_TRUE(QDir().mkpath(Tree().Abs("vrel/game.cfg")));
    auto description = LoadServerOptions();
    ASSERT_TRUE(description);
    CAdvancedMPDlg dialog(*description);
    EXPECT_FALSE(dialog.Confirm());
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_NE(prompt.Texts()[0].find("vrel"), std::string::npos);
}

TEST_F(AdvancedOptionsDialog, AMissingScriptIsTold)
{
    CCreateServerDlg create(true);
    UseGame("nomaps");
    create.Advanced();
    ASSERT_EQ(prompt.Texts().size(), 1u) << prompt.Texts()[0];
    EXPECT_NE(prompt.Texts()[0].find("settings.scr"), std::string::npos);
}

} // namespace
