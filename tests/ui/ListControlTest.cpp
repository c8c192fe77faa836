#include "app/settings/SettingsStore.h"
#include "support/TempTree.h"
#include "ui/CODKSListCtrl.h"

#include <QElapsedTimer>
#include <QHeaderView>
#include <QSignalSpy>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

KSListRow MakeRow(uint32_t serial, const QString& name, double ping)
{
    KSListRow row;
    row.serial = serial;
    KSListCell nameCell;
    nameCell.text = name;
    KSListCell pingCell;
    pingCell.text = QString::number(ping);
    pingCell.number = ping;
    pingCell.hasNumber = true;
    row.cells = {nameCell, pingCell};
    return row;
}

std::vector<uint32_t> Serials(const std::vector<KSListRow>& rows)
{
    std::vector<uint32_t> serials;
    for (const KSListRow& row : rows)
        serials.push_back(row.serial);
    return serials;
}

TEST(ListRowSort, KeysInOrderThenSerialNumber)
{
    std::vector<KSListRow> rows = {MakeRow(4, "beta", 50), MakeRow(1, "Alpha", 80), MakeRow(3, "alpha", 50),
                                   MakeRow(2, "beta", 50)};
    SortKeyList keys;
    keys.FromText("2;1;");
    SortListRows(rows, keys, {});
    // Ping 50 first; among them "alpha" before "beta"; the two equal "beta" rows by serial.
    EXPECT_EQ(Serials(rows), (std::vector<uint32_t>{3, 2, 4, 1}));

    keys.FromText("-2;");
    SortListRows(rows, keys, {});
    EXPECT_EQ(Serials(rows), (std::vector<uint32_t>{1, 2, 3, 4}));
}

TEST(ListRowSort, NumbersCompareAsNumbersAndTextIgnoresCase)
{
    std::vector<KSListRow> rows = {MakeRow(1, "b", 100), MakeRow(2, "B", 9), MakeRow(3, "a", 20)};
    SortKeyList keys;
    keys.FromText("2;");
    SortListRows(rows, keys, {});
    EXPECT_EQ(Serials(rows), (std::vector<uint32_t>{2, 3, 1})); // 9 < 20 < 100, not "100" < "20"
    keys.FromText("1;");
    SortListRows(rows, keys, {});
    EXPECT_EQ(Serials(rows), (std::vector<uint32_t>{3, 1, 2}));
}

TEST(ListRowSort, CustomComparatorAndMissingCells)
{
    std::vector<KSListRow> rows = {MakeRow(1, "x", 1), MakeRow(2, "y", 2)};
    rows[1].cells.resize(1); // no ping cell: sorts first
    SortKeyList keys;
    keys.FromText("2;");
    SortListRows(rows, keys, {});
    EXPECT_EQ(Serials(rows), (std::vector<uint32_t>{2, 1}));

    // A comparator that puts serial 1 first on column 7 whatever the cells hold.
    keys.FromText("7;");
    SortListRows(rows, keys, [](const KSListRow& a, const KSListRow& b, int column) {
        EXPECT_EQ(column, 7);
        return a.serial == 1 ? -1 : (b.serial == 1 ? 1 : 0);
    });
    EXPECT_EQ(Serials(rows), (std::vector<uint32_t>{1, 2}));
}

class ListControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_list.SetSortKeys(&m_keys);
        KSListColumn name;
        name.heading = "Name";
        KSListColumn ping;
        ping.heading = "Ping";
        m_list.SetColumns({name, ping});
        m_list.resize(300, 200);
    }

    SortKeyList m_keys;
    CODKSListCtrl m_list;
};

TEST_F(ListControlTest, HeaderClickChoosesTheKeyAndResorts)
{
    m_list.Model()->SetRows({MakeRow(1, "c", 30), MakeRow(2, "a", 10), MakeRow(3, "b", 20)});
    m_keys.FromText("1;");
    m_list.Sort();
    EXPECT_EQ(Serials(m_list.Model()->Rows()), (std::vector<uint32_t>{2, 3, 1}));

    emit m_list.header()->sectionClicked(1);
    EXPECT_EQ(m_keys.Keys(), (std::vector<int>{2, 1}));
    EXPECT_EQ(Serials(m_list.Model()->Rows()), (std::vector<uint32_t>{2, 3, 1}));
    emit m_list.header()->sectionClicked(1);
    EXPECT_EQ(m_keys.Key(0), -2);
    EXPECT_EQ(Serials(m_list.Model()->Rows()), (std::vector<uint32_t>{1, 3, 2}));
    EXPECT_EQ(m_list.header()->sortIndicatorSection(), 1);
    EXPECT_EQ(m_list.header()->sortIndicatorOrder(), Qt::DescendingOrder);
}

TEST_F(ListControlTest, SelectionFollowsItsRowThroughASort)
{
    m_list.Model()->SetRows({MakeRow(1, "c", 30), MakeRow(2, "a", 10), MakeRow(3, "b", 20)});
    m_list.SelectFirstRow();
    ASSERT_NE(m_list.SelectedRow(), nullptr);
    EXPECT_EQ(m_list.SelectedRow()->serial, 1u);
    m_keys.FromText("2;");
    m_list.Sort();
    ASSERT_NE(m_list.SelectedRow(), nullptr);
    EXPECT_EQ(m_list.SelectedRow()->serial, 1u);
    EXPECT_EQ(m_list.currentIndex().row(), 2);
}

TEST_F(ListControlTest, EnterAndDoubleClickActivateTheRow)
{
    m_list.Model()->SetRows({MakeRow(7, "first", 5), MakeRow(9, "second", 6)});
    m_list.SelectFirstRow();
    m_list.show();
    QSignalSpy spy(&m_list, &CODKSListCtrl::RowActivated);
    QTest::keyClick(&m_list, Qt::Key_Return);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toUInt(), 7u); // the selected row

    // A double-click activates the row under the mouse, not the selected one.
    const QRect second = m_list.visualRect(m_list.model()->index(1, 0));
    ASSERT_TRUE(second.isValid());
    QTest::mouseClick(m_list.viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(m_list.viewport(), Qt::LeftButton, {}, second.center());
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(1).at(0).toUInt(), 9u);

    // A single click activates nothing.
    QTest::mouseClick(m_list.viewport(), Qt::LeftButton, {}, m_list.visualRect(m_list.model()->index(0, 0)).center());
    EXPECT_EQ(spy.count(), 2);
}

TEST(ListControlSortSetting, LoadsOnCreationAndWritesBackWhenDestroyed)
{
    ScopedSettingsFolder settings;
    SortKeyList keys;
    {
        CODKSListCtrl list;
        list.SetSortKeys(&keys);
        list.SetSortSetting("Net Sort Order");
        EXPECT_EQ(keys.Keys(), (std::vector<int>{1})); // a missing value reads as "1;"
        list.ChooseSortKey(5);
    }
    EXPECT_EQ(GetSettingString("Settings", "Net Sort Order", ""), "6;1;");
    SetSettingString("Settings", "LAN Sort Order", "-3;2;");
    CODKSListCtrl lan;
    lan.SetSortKeys(&keys);
    lan.SetSortSetting("LAN Sort Order");
    EXPECT_EQ(keys.Keys(), (std::vector<int>{-3, 2}));
}

TEST_F(ListControlTest, TenThousandRowsSortAndPaintQuickly)
{
    std::vector<KSListRow> rows;
    for (uint32_t i = 0; i < 10000; ++i)
        rows.push_back(MakeRow(i, QString("server %1").arg((i * 7919) % 10000), double((i * 104729) % 997)));
    m_list.Model()->SetRows(std::move(rows));
    m_list.SelectFirstRow();
    QElapsedTimer timer;
    timer.start();
    m_keys.FromText("2;1;");
    m_list.Sort();
    m_list.grab();
    EXPECT_LT(timer.elapsed(), 1500);
    const auto& sorted = m_list.Model()->Rows();
    for (size_t i = 1; i < sorted.size(); ++i)
        ASSERT_LE(sorted[i - 1].cells[1].number, sorted[i].cells[1].number);
}

} // namespace
