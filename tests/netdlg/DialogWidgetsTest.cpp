// The filter dialog, the details dialog and the stored sort order of the server list.
#include "NetDialogSkin.h"
#include "RecordChain.h"
#include "app/settings/SettingsStore.h"
#include "browser/dialogs/CFilterDialog.h"
#include "browser/dialogs/CPlayerInfoDlg.h"
#include "browser/list/ServerListColumns.h"
#include "browser/list/SortOrderSetting.h"
#include "support/TempTree.h"
#include "ui/CODBlendBtn.h"
#include "ui/CODControls.h"
#include "ui/CODKSListCtrl.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

constexpr const char* kSection = "Settings";

class DialogWidgets : public ::testing::Test
{
protected:
    void SetUp() override { InstallNetDialogSkin(); }
    ScopedSettingsFolder settings;
};

TEST_F(DialogWidgets, FilterDialogOpensOnTheStoredSettings)
{
    SetSettingInt(kSection, kFilterEmpty, 1);
    SetSettingInt(kSection, kFilterPing, 1);
    SetSettingInt(kSection, kFilterPingMax, 500);
    SetSettingInt(kSection, kFilterMap, 1);
    SetSettingString(kSection, kFilterMapName, "ha_mill");
    SetSettingInt(kSection, kFilterIsNotProxy, 1);
    CFilterDialog dialog(kSection);
    EXPECT_TRUE(dialog.Empty()->isChecked());
    EXPECT_FALSE(dialog.Full()->isChecked());
    EXPECT_TRUE(dialog.Game()->isChecked());
    EXPECT_EQ(dialog.PingLimits()->currentIndex(), 4);
    EXPECT_EQ(dialog.MapName()->text(), QStringLiteral("ha_mill"));
    EXPECT_TRUE(dialog.NoProxies()->isChecked());
    EXPECT_FALSE(dialog.Games()->isVisibleTo(&dialog));

    SetSettingInt(kSection, kFilterPingMax, 123);
    CFilterDialog other(kSection);
    EXPECT_EQ(other.PingLimits()->currentIndex(), 0);
}

TEST_F(DialogWidgets, FilterDialogOkWritesEverySetting)
{
    SetSettingString(kSection, kFilterMapName, "ha_docks");
    SetSettingInt(kSection, kFilterMap, 1);
    CFilterDialog dialog(kSection);
    dialog.Full()->setChecked(true);
    dialog.ProxiesOnly()->setChecked(true);
    dialog.NoProxies()->setChecked(true); // clears proxies only
    EXPECT_FALSE(dialog.ProxiesOnly()->isChecked());
    dialog.Ping()->setChecked(true);
    dialog.PingLimits()->setCurrentIndex(2);
    dialog.Map()->setChecked(false); // the map name is then stored empty
    dialog.done(QDialog::Accepted);

    EXPECT_EQ(GetSettingInt(kSection, kFilterFull, 0), 1);
    EXPECT_EQ(GetSettingInt(kSection, kFilterIsProxy, 1), 0);
    EXPECT_EQ(GetSettingInt(kSection, kFilterIsNotProxy, 0), 1);
    EXPECT_EQ(GetSettingInt(kSection, kFilterPingMax, 0), 250);
    EXPECT_EQ(GetSettingString(kSection, kFilterMapName, "x"), "");
    EXPECT_EQ(GetSettingString(kSection, kFilterGameName, ""), "vrel");
    const ServerFilter read = ReadServerFilter(kSection);
    EXPECT_TRUE(read.full && read.noProxies && read.ping && !read.map);
}

TEST_F(DialogWidgets, FilterDialogCancelWritesNothing)
{
    CFilterDialog dialog(kSection);
    dialog.Full()->setChecked(true);
    dialog.done(QDialog::Rejected);
    EXPECT_EQ(GetSettingInt(kSection, kFilterFull, 0), 0);
}

TEST_F(DialogWidgets, FilterDialogKeepsAtMost63BytesOfMapName)
{
    CFilterDialog dialog(kSection);
    dialog.Map()->setChecked(true);
    dialog.MapName()->setMaxLength(1000);
    dialog.MapName()->setText(QString(80, QChar(0xE9))); // two bytes each in UTF-8
    const ServerFilter filter = dialog.Filter();
    EXPECT_LE(filter.mapName.size(), ServerFilter::kMaxMapName);
    EXPECT_EQ(filter.mapName.size(), 62u);
}

TEST_F(DialogWidgets, DetailsDialogListsPlayersRulesAndHeader)
{
    RecordChain list;
    CServerInfo& r = list.Add("Harbour brawl");
    r.AllocatePlayerSlots();
    (*r.players)[0] = std::make_unique<CPlayerInfo>("Ann");
    (*r.players)[1] = std::make_unique<CPlayerInfo>("Bo");
    r.currentplayers = 2;
    r.AddRule("mp_timelimit", "20");
    r.svping = 0.081;
    CPlayerInfoDlg dialog(r);
    EXPECT_EQ(dialog.NameLabel()->text(), QStringLiteral("Harbour brawl"));
    EXPECT_EQ(dialog.AddressLabel()->text(), QStringLiteral("10.0.0.1:27015"));
    EXPECT_EQ(dialog.PingLabel()->text(), QStringLiteral("81 ms."));
    EXPECT_EQ(dialog.Players()->Model()->rowCount(), 2);
    EXPECT_EQ(dialog.Players()->Model()->columnCount(), 4);
    EXPECT_EQ(dialog.Rules()->Model()->rowCount(), 1);

    (*r.players)[2] = std::make_unique<CPlayerInfo>("Cy");
    r.currentplayers = 3;
    dialog.ShowRecord();
    EXPECT_EQ(dialog.Players()->Model()->rowCount(), 3);
}

TEST_F(DialogWidgets, SortOrderOfTheServerListSurvivesARestart)
{
    {
        CODKSListCtrl list;
        list.SetSortSetting(kNetSortOrderSetting);
        list.SetColumns(InternetListColumns());
        EXPECT_EQ(list.SortKeys().ToText(), "1;");
        list.ChooseSortKey(4); // the name header
        list.ChooseSortKey(4); // again: reversed
        list.ChooseSortKey(5); // then ping
    }
    EXPECT_EQ(GetSettingString(kSection, kNetSortOrderSetting, ""), "6;-5;1;");
    TheSortKeyList().Clear();
    CODKSListCtrl again;
    again.SetSortSetting(kNetSortOrderSetting);
    EXPECT_EQ(again.SortKeys().ToText(), "6;-5;1;");
}

TEST_F(DialogWidgets, ServerListColumnsHaveTheirWidthsAndHeadings)
{
    const std::vector<KSListColumn> columns = InternetListColumns();
    ASSERT_EQ(columns.size(), 9u);
    EXPECT_TRUE(columns[0].icon);
    EXPECT_EQ(columns[3].width, kIconColumnWidth);
    EXPECT_EQ(columns[4].width, 110);
    EXPECT_EQ(columns[4].heading, QStringLiteral("Server"));
    EXPECT_EQ(columns[8].heading, QStringLiteral("Players"));
    const std::vector<KSListColumn> lan = LanListColumns();
    ASSERT_EQ(lan.size(), 9u);
    EXPECT_EQ(lan[5].width, 50);
    EXPECT_EQ(PlayerListColumns()[1].width, 100);
}

} // namespace
