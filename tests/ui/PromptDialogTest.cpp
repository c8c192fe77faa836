#include "UiTestSkin.h"
#include "browser/record/DamagedListDecision.h"
#include "platform/TerminationSignals.h"
#include "support/TempTree.h"
#include "ui/CKSPromptDlg.h"
#include "ui/CODBlendBtn.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

class PromptDialogTest : public ::testing::Test
{
protected:
    void SetUp() override { InstallTestSkin(); }

    // Runs the prompt with an action queued for when its loop is running.
    static int AskWith(CKSPromptDlg& dialog, std::function<void()> action)
    {
        QTimer::singleShot(0, &dialog, std::move(action));
        return dialog.Ask();
    }
};

TEST_F(PromptDialogTest, ClickingEachButtonGivesItsAnswer)
{
    CKSPromptDlg first("Quit now?", PromptButtons::YesNo);
    EXPECT_EQ(AskWith(first, [&] { QTest::mouseClick(first.FirstButton(), Qt::LeftButton); }), kPromptFirst);

    CKSPromptDlg second("Quit now?", PromptButtons::YesNo);
    EXPECT_EQ(AskWith(second, [&] { QTest::mouseClick(second.SecondButton(), Qt::LeftButton); }), kPromptSecond);
}

TEST_F(PromptDialogTest, EnterPressesTheFirstButtonEscapeTheSecond)
{
    CKSPromptDlg enter("Delete it?", PromptButtons::OkCancel);
    EXPECT_EQ(AskWith(enter, [&] { QTest::keyClick(&enter, Qt::Key_Return); }), kPromptFirst);

    CKSPromptDlg escape("Delete it?", PromptButtons::OkCancel);
    EXPECT_EQ(AskWith(escape, [&] { QTest::keyClick(&escape, Qt::Key_Escape); }), kPromptSecond);
}

TEST_F(PromptDialogTest, EnterPressesTheFocusedButton)
{
    CKSPromptDlg dialog("Delete it?", PromptButtons::OkCancel);
    EXPECT_EQ(AskWith(dialog,
                      [&] {
                          dialog.SecondButton()->setFocus();
                          QTest::keyClick(dialog.SecondButton(), Qt::Key_Enter, Qt::KeypadModifier);
                      }),
              kPromptSecond);
}

TEST_F(PromptDialogTest, OneButtonPromptAnswersFirstForEscapeAndClose)
{
    CKSPromptDlg escape("Done.", PromptButtons::Ok);
    EXPECT_EQ(escape.SecondButton(), nullptr);
    EXPECT_EQ(AskWith(escape, [&] { QTest::keyClick(&escape, Qt::Key_Escape); }), kPromptFirst);

    CKSPromptDlg closed("Done.", PromptButtons::Ok);
    EXPECT_EQ(AskWith(closed, [&] { closed.close(); }), kPromptFirst);
}

TEST_F(PromptDialogTest, ClosingTheWindowChoosesTheSecondButton)
{
    CKSPromptDlg dialog("Leave the game?", PromptButtons::YesNo);
    EXPECT_EQ(AskWith(dialog, [&] { dialog.close(); }), kPromptSecond);
}

// A termination signal closes every window without a button (the program wires it
// so in main): a question open at that moment stays unanswered and its caller changes
// nothing. Here the question is whether to move a damaged server list aside. The
// signal marks the process for good, so the test runs in a child process.
TEST_F(PromptDialogTest, TerminationSignalLeavesAnOpenQuestionUnanswered)
{
    EXPECT_EXIT(
        {
            TerminationSignals termination;
            QObject::connect(&termination, &TerminationSignals::Requested, [] {
                QApplication::closeAllWindows();
                QCoreApplication::exit(0);
            });
            TempTree tree;
            tree.Write("favsvrs.dat", "{ server {");
            SkinnedPrompt prompt;
            QTimer::singleShot(0, [] { std::raise(SIGTERM); });
            const bool moved = DamagedListDecision::Resolve(tree.Abs("favsvrs.dat"), prompt);
            std::fprintf(stderr, "moved %d, kept %d\n", int(moved), int(tree.Exists("favsvrs.dat")));

            CKSPromptDlg question("Delete the favourite?", PromptButtons::YesNo);
            QTimer::singleShot(0, &question, [&] { question.close(); });
            std::fprintf(stderr, "answer %d\n", question.Ask());
            std::fflush(stderr);
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "moved 0, kept 1\nanswer 0\n");
}

TEST_F(PromptDialogTest, ButtonLabelsFollowTheKind)
{
    CKSPromptDlg yesNo("?", PromptButtons::YesNo);
    EXPECT_EQ(yesNo.FirstButton()->text(), "&Yes");
    EXPECT_EQ(yesNo.SecondButton()->text(), "&No");
    CKSPromptDlg okCancel("?", PromptButtons::OkCancel);
    EXPECT_EQ(okCancel.SecondButton()->text(), "Cancel");
}

TEST_F(PromptDialogTest, LongTextGrowsTheDialogUpToItsLimit)
{
    CKSPromptDlg shortText("Short.", PromptButtons::Ok);
    const int base = shortText.height();
    std::string longText;
    for (int i = 0; i < 12; ++i)
        longText += "This line of the message is long enough to wrap inside the prompt. ";
    CKSPromptDlg grown(longText, PromptButtons::Ok);
    EXPECT_GT(grown.height(), base);
    EXPECT_LE(grown.height(), CKSPromptDlg::kMaxHeight);
    EXPECT_EQ(grown.TextLabel()->text().toStdString(), longText);
}

TEST_F(PromptDialogTest, SkinnedPromptShowsTheTextAndReturnsTheAnswer)
{
    SkinnedPrompt prompt;
    QString seen;
    QTimer::singleShot(0, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<CKSPromptDlg*>(widget); dialog && dialog->isVisible()) {
                seen = dialog->TextLabel()->text();
                QTest::keyClick(dialog, Qt::Key_Escape);
            }
    });
    EXPECT_EQ(prompt.Show("Disconnect from the server?", PromptButtons::YesNo), kPromptSecond);
    EXPECT_EQ(seen, "Disconnect from the server?");
}

} // namespace
