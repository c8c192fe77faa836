#include "UiTestSkin.h"
#include "ui/CKSInputDlg.h"
#include "ui/CODBlendBtn.h"

#include <QLineEdit>
#include <QTimer>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

class InputDialogTest : public ::testing::Test
{
protected:
    void SetUp() override { InstallTestSkin(); }
};

TEST_F(InputDialogTest, TypedTextIsReturnedOnOk)
{
    CKSInputDlg dialog("Password:", 128);
    QTimer::singleShot(0, &dialog, [&] {
        QTest::keyClicks(dialog.Field(), "sesame");
        QTest::keyClick(dialog.Field(), Qt::Key_Return);
    });
    EXPECT_EQ(dialog.Ask(), std::optional<std::string>("sesame"));
}

TEST_F(InputDialogTest, TypingStopsAtTheMaximumLength)
{
    CKSInputDlg dialog("Password:", 8);
    QTest::keyClicks(dialog.Field(), "0123456789abc");
    EXPECT_EQ(dialog.Text(), "01234567");
    EXPECT_EQ(dialog.Field()->text(), "01234567");
}

TEST_F(InputDialogTest, LimitCountsBytesNotCharacters)
{
    // Each "é" takes two bytes: five of them do not fit in eight bytes.
    CKSInputDlg dialog("Name:", 8);
    dialog.Field()->setText(QString::fromUtf8("ééééé"));
    EXPECT_EQ(dialog.Text(), "éééé");
    EXPECT_LE(dialog.Field()->text().toStdString().size(), 8u);
}

TEST_F(InputDialogTest, InitialTextIsCutToTheLimit)
{
    CKSInputDlg dialog("Address:", 4, "127.0.0.1");
    EXPECT_EQ(dialog.Text(), "127.");
}

TEST_F(InputDialogTest, CancelAndEscapeReturnNoValue)
{
    CKSInputDlg cancelled("Password:", 128);
    QTimer::singleShot(0, &cancelled, [&] {
        QTest::keyClicks(cancelled.Field(), "typed");
        QTest::mouseClick(cancelled.CancelButton(), Qt::LeftButton);
    });
    EXPECT_EQ(cancelled.Ask(), std::nullopt);

    CKSInputDlg escaped("Password:", 128);
    QTimer::singleShot(0, &escaped, [&] { QTest::keyClick(escaped.Field(), Qt::Key_Escape); });
    EXPECT_EQ(escaped.Ask(), std::nullopt);
}

TEST_F(InputDialogTest, EmptyAnswerIsAnEmptyTextNotACancel)
{
    CKSInputDlg dialog("Password:", 128);
    QTimer::singleShot(0, &dialog, [&] { QTest::mouseClick(dialog.OkButton(), Qt::LeftButton); });
    EXPECT_EQ(dialog.Ask(), std::optional<std::string>(""));
}

TEST(ScriptedInputPrompt, AnswersInOrderRecordsQuestionsAndCancelsWhenEmpty)
{
    ScriptedInputPrompt script;
    script.AddAnswer(std::string("first"));
    script.AddAnswer(std::nullopt);
    script.AddAnswer(std::string("abcdefghij"));
    EXPECT_EQ(CurrentInputPrompt().Ask("one", 128), std::optional<std::string>("first"));
    EXPECT_EQ(CurrentInputPrompt().Ask("two", 128), std::nullopt);
    EXPECT_EQ(CurrentInputPrompt().Ask("three", 4), std::optional<std::string>("abcd"));
    EXPECT_EQ(CurrentInputPrompt().Ask("four", 128), std::nullopt);
    EXPECT_EQ(script.Questions(), (std::vector<std::string>{"one", "two", "three", "four"}));
}

TEST(ScriptedInputPrompt, RestoresTheCancellingPromptWhenGone)
{
    {
        ScriptedInputPrompt script;
        script.AddAnswer(std::string("x"));
        EXPECT_TRUE(CurrentInputPrompt().Ask("?", 8).has_value());
    }
    EXPECT_EQ(CurrentInputPrompt().Ask("?", 8), std::nullopt);
}

TEST(CutUtf8, KeepsWholeCharacters)
{
    EXPECT_EQ(CutUtf8("abc", 8), "abc");
    EXPECT_EQ(CutUtf8("abcdef", 3), "abc");
    EXPECT_EQ(CutUtf8("a\xC3\xA9", 2), "a");   // "aé" cut inside "é"
    EXPECT_EQ(CutUtf8("\xE2\x82\xAC", 2), ""); // "€" does not fit
    EXPECT_EQ(CutUtf8("", 0), "");
}

} // namespace
