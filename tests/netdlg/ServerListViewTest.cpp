// The rows a server list shows: filtering and sorting through the view, and the
// batched updates while a refresh runs.
#include "browser/list/ServerListView.h"
#include "RecordChain.h"
#include "browser/list/ServerFilter.h"
#include "browser/list/ServerListRows.h"
#include "browser/list/ServerSort.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> RowNames(const KSListModel& model)
{
    std::vector<std::string> names;
    for (const KSListRow& row : model.Rows())
        names.push_back(row.cells[kCellName].text.trimmed().toStdString());
    return names;
}

SortKeyList Keys(const std::string& text)
{
    SortKeyList keys;
    keys.FromText(text);
    return keys;
}

class ServerListViewTest : public ::testing::Test
{
protected:
    void SetUp() override { model.SetColumns(std::vector<KSListColumn>(kServerListCells)); }

    KSListModel model;
    ServerListView view{model};
    RecordChain list;
};

TEST_F(ServerListViewTest, FiltersHideRowsThroughTheView)
{
    list.Add("alpha");
    list.Add("empty").currentplayers = 0;
    list.Add("full").currentplayers = 16;
    list.Add("other game").dir = "harrow";
    ServerFilter filter;
    filter.empty = true;
    filter.full = true;
    view.ApplyFilters(list.Head(), filter, false, Keys("5;"));
    EXPECT_EQ(RowNames(model), (std::vector<std::string>{"alpha"}));

    filter.empty = false;
    view.ApplyFilters(list.Head(), filter, false, Keys("5;"));
    EXPECT_EQ(RowNames(model), (std::vector<std::string>{"alpha", "empty"}));
}

TEST_F(ServerListViewTest, PingLimitHidesUnmeasuredServersOnlyAfterTheFirstRefresh)
{
    list.Add("fast").svping = 0.1;
    list.Add("slow").svping = 0.101;
    list.Add("unmeasured").svping = 0.0;
    ServerFilter filter;
    filter.ping = true;
    filter.pingMax = 100;
    view.ApplyFilters(list.Head(), filter, false, Keys("5;"));
    EXPECT_EQ(RowNames(model), (std::vector<std::string>{"fast", "unmeasured"}));
    view.ApplyFilters(list.Head(), filter, true, Keys("5;"));
    EXPECT_EQ(RowNames(model), (std::vector<std::string>{"fast"}));
}

TEST_F(ServerListViewTest, RowsFollowTheSortKeysWithCreationOrderLast)
{
    list.Add("b").svping = 0.2;
    list.Add("a").svping = 0.2;
    list.Add("c").svping = 0.0; // unmeasured pings sort after all others
    list.Add("d").svping = 0.05;
    view.Fill(list.Head(), Keys("6;"));
    EXPECT_EQ(RowNames(model), (std::vector<std::string>{"d", "b", "a", "c"}));
    view.Sort(Keys("-6;"));
    EXPECT_EQ(RowNames(model), (std::vector<std::string>{"c", "b", "a", "d"}));
    view.Sort(Keys("5;"));
    EXPECT_EQ(RowNames(model), (std::vector<std::string>{"a", "b", "c", "d"}));
}

TEST_F(ServerListViewTest, RowsCarryTheRowContents)
{
    CServerInfo& proxy = list.Add("relay");
    proxy.proxy = true;
    proxy.favorite = true;
    proxy.password = true;
    CServerInfo& old = list.Add("old");
    old.protocol = 44;
    view.Fill(list.Head(), Keys("1;"));
    const KSListRow& relay = model.Rows()[1];
    EXPECT_EQ(relay.cells[kCellFavorite].icon, "favorite");
    EXPECT_EQ(relay.cells[kCellPassword].icon, "lock");
    EXPECT_EQ(relay.cells[kCellType].icon, "proxy");
    EXPECT_EQ(relay.textColour, QColor(63, 255, 63));
    EXPECT_EQ(relay.cells[kCellPlayers].text, QStringLiteral(" 4/16"));
    const KSListRow& greyed = model.Rows()[0];
    EXPECT_EQ(greyed.cells[kCellName].number, kGreyedName);
    EXPECT_FALSE(greyed.textColour.isValid());
    EXPECT_EQ(greyed.cells[kCellPing].number, 50);
}

TEST_F(ServerListViewTest, BatchRedrawsOnlyChangedRowsAndKeepsTheirPlaces)
{
    list.Add("a");
    list.Add("b");
    list.Add("c");
    view.Fill(list.Head(), Keys("5;"));
    int changedSignals = 0;
    QObject::connect(&model, &QAbstractItemModel::dataChanged, [&] { ++changedSignals; });
    int resets = 0;
    QObject::connect(&model, &QAbstractItemModel::layoutChanged, [&] { ++resets; });

    EXPECT_EQ(view.UpdateBatch(list.Head()).changed, 0);
    list[0].svping = 0.9; // would now sort elsewhere by ping, but the batch does not re-sort
    list[2].currentplayers = 9;
    const ServerListView::Batch batch = view.UpdateBatch(list.Head());
    EXPECT_EQ(batch.changed, 2);
    EXPECT_EQ(changedSignals, 2);
    EXPECT_EQ(resets, 0);
    EXPECT_EQ(RowNames(model), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(model.Rows()[2].cells[kCellPlayers].text, QStringLiteral(" 9/16"));
}

TEST_F(ServerListViewTest, BatchAppendsServersThatAnsweredAndPassTheFilter)
{
    list.Add("first");
    CServerInfo& waiting = list.Add("waiting");
    waiting.status = CServerInfo::InfoSent;
    CServerInfo& empty = list.Add("empty");
    empty.currentplayers = 0;
    empty.status = CServerInfo::InfoSent;
    ServerFilter filter;
    filter.empty = true;
    view.Clear();
    EXPECT_EQ(view.UpdateBatch(list.Head(), &filter, false).appended, 1);
    waiting.status = CServerInfo::Done;
    empty.status = CServerInfo::Done;
    EXPECT_EQ(view.UpdateBatch(list.Head(), &filter, false).appended, 1);
    EXPECT_EQ(view.UpdateBatch(list.Head(), &filter, false).appended, 0);
    EXPECT_EQ(RowNames(model), (std::vector<std::string>{"first", "waiting"}));
}

TEST_F(ServerListViewTest, RowsOfDestroyedRecordsAreDropped)
{
    list.Add("a");
    list.Add("b");
    list.Add("c");
    view.Fill(list.Head(), Keys("5;"));
    list[0].next = &list[2]; // "b" left the list
    EXPECT_EQ(view.DropMissingRows(list.Head()), 1);
    EXPECT_EQ(RowNames(model), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(ServerListView::FindRecord(list.Head(), list[1].Serial()), nullptr);
    EXPECT_EQ(ServerListView::FindRecord(list.Head(), list[2].Serial()), &list[2]);
}

TEST_F(ServerListViewTest, BestFirstOrderShowsFilteredRowsToo)
{
    list.Add("a").SetFiltered(true);
    list.Add("b");
    view.FillInOrder({&list[1], &list[0]});
    EXPECT_EQ(RowNames(model), (std::vector<std::string>{"b", "a"}));
    view.Fill(list.Head(), Keys("5;"));
    EXPECT_EQ(RowNames(model), (std::vector<std::string>{"b"}));
}

} // namespace
