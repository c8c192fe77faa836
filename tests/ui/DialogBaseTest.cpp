#include "UiTestSkin.h"
#include "app/text/SkinBitmap.h"
#include "ui/CKSDialog.h"
#include "ui/CODBlendBtn.h"
#include "ui/CODControls.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

class DialogBaseTest : public ::testing::Test
{
protected:
    void SetUp() override { InstallTestSkin(); }
};

TEST_F(DialogBaseTest, BitmapDialogTakesTheBitmapSizeAndStandsAtTheLauncherCorner)
{
    QWidget launcher;
    launcher.setFixedSize(640, 480);
    launcher.move(100, 60);
    launcher.show();
    CKSDialog dialog(&launcher, "dialog");
    EXPECT_EQ(dialog.size(), QSize(550, 390));
    dialog.show();
    EXPECT_EQ(dialog.pos(), launcher.geometry().topLeft() + QPoint(kDialogBitmapLeft, kDialogBitmapTop));
}

TEST_F(DialogBaseTest, SmallerDialogIsCentredOverItsOwner)
{
    QWidget launcher;
    launcher.setFixedSize(640, 480);
    launcher.move(100, 60);
    launcher.show();
    CKSDialog dialog(&launcher);
    dialog.setFixedSize(300, 200);
    dialog.show();
    EXPECT_EQ(dialog.geometry().center(), launcher.geometry().center());
}

TEST_F(DialogBaseTest, ButtonsEndTheDialogWithTheirResultsAndSitInTheButtonBand)
{
    CKSDialog dialog;
    CODBlendBtn* ok = dialog.AddButton("OK", 7);
    CODBlendBtn* other = dialog.AddButton("Other");
    EXPECT_TRUE(dialog.ButtonBandRect().contains(ok->geometry()));
    EXPECT_LT(ok->geometry().right(), other->geometry().left());
    QSignalSpy clicked(other, &QAbstractButton::clicked);
    QSignalSpy finished(&dialog, &QDialog::finished);
    bool openAfterOther = false;
    QTimer::singleShot(0, &dialog, [&] {
        QTest::mouseClick(other, Qt::LeftButton); // no result: stays open
        openAfterOther = dialog.isVisible() && finished.isEmpty();
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    EXPECT_EQ(dialog.exec(), 7);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_TRUE(openAfterOther);
    ASSERT_EQ(finished.count(), 1); // ended once, by OK
    EXPECT_EQ(finished.at(0).at(0).toInt(), 7);
}

TEST_F(DialogBaseTest, EnterWithoutADefaultButtonLeavesTheDialogOpen)
{
    CKSDialog dialog;
    dialog.AddButton("OK", 3);
    QSignalSpy finished(&dialog, &QDialog::finished);
    bool openAfterEnter = false;
    QTimer::singleShot(0, &dialog, [&] {
        QTest::keyClick(&dialog, Qt::Key_Return);
        openAfterEnter = dialog.isVisible() && finished.isEmpty();
        dialog.done(9);
    });
    EXPECT_EQ(dialog.exec(), 9);
    EXPECT_TRUE(openAfterEnter);
    EXPECT_EQ(finished.count(), 1);
}

TEST_F(DialogBaseTest, DisabledDefaultButtonIsNotPressedByEnter)
{
    CKSDialog dialog;
    CODBlendBtn* ok = dialog.AddButton("OK", 3);
    dialog.SetDefaultButton(ok);
    ok->setEnabled(false);
    QSignalSpy clicked(ok, &QAbstractButton::clicked);
    QSignalSpy finished(&dialog, &QDialog::finished);
    bool openAfterEnter = false;
    QTimer::singleShot(0, &dialog, [&] {
        QTest::keyClick(&dialog, Qt::Key_Return);
        openAfterEnter = dialog.isVisible() && finished.isEmpty();
        dialog.done(4); // ends the loop either way; the checks are above
    });
    EXPECT_EQ(dialog.exec(), 4);
    EXPECT_TRUE(openAfterEnter);
    EXPECT_EQ(clicked.count(), 0);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), 4);
}

TEST(BlendButton, StripCellCutsItsThreeRows)
{
    // Two buttons of 10 x 4 cells: rows painted 0..5 in grey levels.
    QPixmap strip(10, 24);
    {
        QPainter painter(&strip);
        for (int row = 0; row < 6; ++row)
            painter.fillRect(0, row * 4, 10, 4, QColor(row * 40, row * 40, row * 40));
    }
    CODBlendBtn button;
    ASSERT_TRUE(button.SetStripCell(strip, 1, 10, 4));
    EXPECT_EQ(button.size(), QSize(10, 4));
    const QImage normal = button.grab().toImage();
    EXPECT_EQ(QColor(normal.pixel(5, 2)).red(), 120);   // row 3: the second button's normal look
    EXPECT_FALSE(button.SetStripCell(strip, 2, 10, 4)); // no third button
    EXPECT_FALSE(button.SetStripCell(QPixmap(), 0, 10, 4));
}

// Waits (at most two seconds) until the button's highlight reaches a level.
bool WaitForLevel(const CODBlendBtn& button, double level)
{
    for (int i = 0; i < 100 && button.HoverLevel() != level; ++i)
        QTest::qWait(20);
    return button.HoverLevel() == level;
}

TEST(BlendButton, HoverFadesInAndOut)
{
    CODBlendBtn button("Refresh");
    button.setFocusPolicy(Qt::NoFocus); // focus alone keeps the highlighted look
    button.resize(100, 26);
    button.show();
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&button, &enter);
    EXPECT_LT(button.HoverLevel(), 1.0); // fades in, does not jump
    EXPECT_TRUE(WaitForLevel(button, 1.0));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&button, &leave);
    EXPECT_GT(button.HoverLevel(), 0.0); // fades out, is not cut
    EXPECT_TRUE(WaitForLevel(button, 0.0));
}

TEST(BlendButton, FocusKeepsTheHighlightAfterTheMouseLeaves)
{
    CODBlendBtn button("Join");
    button.resize(100, 26);
    button.show();
    button.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&button));
    button.setFocus();
    ASSERT_TRUE(button.hasFocus());
    ASSERT_TRUE(WaitForLevel(button, 1.0));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&button, &leave);
    QTest::qWait(CODBlendBtn::kFadeMs * 2);
    EXPECT_DOUBLE_EQ(button.HoverLevel(), 1.0);
}

TEST(CheckBox, ClickOnTheLabelToggles)
{
    CODCheckBox box("Run in a window");
    box.resize(box.sizeHint());
    box.show();
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(box.width() - 5, box.height() / 2));
    EXPECT_TRUE(box.isChecked());
}

} // namespace
