#include "config/dialogs/COptionsPage.h"
#include "app/text/StringList.h"
#include "config/scripts/CServerDescription.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

// Ten options: a BOOL, a LIST, a NUMBER, a STRING, then six more BOOLs.
std::string TenOptions()
{
    std::string text = "VERSION 1 DESCRIPTION SERVER_OPTIONS {"
                       " b { \"Bool\" { BOOL } { 1 } }"
                       " l { \"List\" { LIST A a B b C c } { 2 } }"
                       " n { \"Number\" { NUMBER 1 10 } { 4 } }"
                       " s { \"String\" { STRING } { \"hello\" } }";
    for (int i = 0; i < 6; ++i)
        text += " x" + std::to_string(i) + " { X { BOOL } { 0 } }";
    return text + " }";
}

class OptionsPageFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LoadedStringList().Clear();
        LoadedStringList().Parse("403 \"Page %i / %i\"");
        ASSERT_TRUE(description.ParseText(TenOptions().c_str()));
    }
    void TearDown() override { LoadedStringList().Clear(); }
    CServerDescription description;
};

} // namespace

TEST_F(OptionsPageFixture, EightRowsPerPageWithACaption)
{
    COptionsPage page(description);
    EXPECT_EQ(page.CaptionLabel()->text(), "Page 1 / 2");
    EXPECT_FALSE(page.RowWidget(7)->isHidden());
    EXPECT_TRUE(page.RowWidget(8)->isHidden());
    page.NextButton()->click();
    EXPECT_EQ(page.CaptionLabel()->text(), "Page 2 / 2");
    EXPECT_TRUE(page.RowWidget(0)->isHidden());
    EXPECT_FALSE(page.RowWidget(9)->isHidden());
    page.NextButton()->click();
    EXPECT_EQ(page.CaptionLabel()->text(), "Page 2 / 2");
    page.PreviousButton()->click();
    page.PreviousButton()->click();
    EXPECT_EQ(page.CaptionLabel()->text(), "Page 1 / 2");
}

TEST_F(OptionsPageFixture, ControlsStartFromTheDefaults)
{
    COptionsPage page(description);
    EXPECT_TRUE(page.CheckBoxAt(0)->isChecked());
    EXPECT_EQ(page.CheckBoxAt(0)->text(), "Bool");
    EXPECT_EQ(page.ListAt(1)->count(), 3);
    EXPECT_EQ(page.ListAt(1)->currentIndex(), 2);
    EXPECT_EQ(page.EditAt(2)->text(), "4");
    EXPECT_EQ(page.EditAt(3)->text(), "hello");
    EXPECT_FALSE(page.CheckBoxAt(4)->isChecked());
}

TEST_F(OptionsPageFixture, ConfirmStoresTheControlsValues)
{
    COptionsPage page(description);
    page.CheckBoxAt(0)->setChecked(false);
    page.ListAt(1)->setCurrentIndex(0);
    page.EditAt(2)->setText("50");
    page.EditAt(3)->setText("say \"hi\" 100%");
    page.Confirm();
    const auto& options = description.Options();
    EXPECT_EQ(options[0].currentText, "0");
    EXPECT_EQ(options[1].ValueText(), "a");
    EXPECT_EQ(options[2].ValueText(), "10.000000");
    EXPECT_EQ(options[3].currentText, "say hi 100");
    EXPECT_EQ(options[0].defaultText, "1"); // defaults change only when the script is rewritten
}

TEST_F(OptionsPageFixture, ListWithoutSelectionKeepsTheDefaultEntry)
{
    COptionsPage page(description);
    page.ListAt(1)->setCurrentIndex(-1);
    page.Confirm();
    EXPECT_EQ(description.Options()[1].ValueText(), "c");
}

TEST(OptionsPageModel, PageCountRoundsUp)
{
    CServerDescription description;
    OptionsPageModel model(description);
    EXPECT_EQ(model.PageCount(), 0);
    description.Options().resize(8);
    EXPECT_EQ(model.PageCount(), 1);
    description.Options().resize(9);
    EXPECT_EQ(model.PageCount(), 2);
}
