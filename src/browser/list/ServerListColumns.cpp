#include "browser/list/ServerListColumns.h"

#include "app/text/StringList.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kIconColumns = 4;
constexpr int kTextColumns = 5;
using TextWidths = std::array<int, kTextColumns>; // name, ping, map, game, players

QString Heading(int message)
{
    return QString::fromStdString(GetString(message));
}

std::vector<KSListColumn> ServerColumns(const TextWidths& widths)
{
    std::vector<KSListColumn> columns;
    for (int i = 0; i < kIconColumns; ++i)
        columns.push_back({QString(), kIconColumnWidth, true});
    const std::array<int, kTextColumns> headings = {kMsgColumnServer, kMsgColumnPing, kMsgColumnMap, kMsgColumnGame,
                                                    kMsgColumnPlayers};
    for (int i = 0; i < kTextColumns; ++i)
        columns.push_back({Heading(headings[size_t(i)]), widths[size_t(i)]});
    return columns;
}

} // namespace

std::vector<KSListColumn> InternetListColumns()
{
    TextWidths widths = {110, 50, 75, 80 + StringNumber(kMsgWideGameColumn, 0), 70};
    if (StringNumber(kMsgWideLanguage, 0) != 0) {
        widths[0] = 90;
        widths[1] = 44;
        widths[3] = 80;
    }
    if (StringNumber(kMsgWidePing, 0) != 0) {
        widths[0] = 100;
        widths[1] = 65;
    }
    return ServerColumns(widths);
}

std::vector<KSListColumn> LanListColumns()
{
    TextWidths widths = {110, 50, 75, 80, 70};
    for (size_t i = 0; i < widths.size(); ++i)
        if (const int width = StringNumber(kMsgLanColumnWidths, int(i)); width > 0)
            widths[i] = width;
    return ServerColumns(widths);
}

std::vector<KSListColumn> PlayerListColumns()
{
    int nameWidth = 100;
    int fragsWidth = 35;
    if (StringNumber(kMsgWideLanguage, 0) != 0) {
        nameWidth = 135;
        fragsWidth = 50;
    }
    if (StringNumber(kMsgWidePing, 0) != 0)
        fragsWidth = 55;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    return {{Heading(kMsgPlayerId), 25, false, right},
            {Heading(kMsgPlayerName), nameWidth},
            {Heading(kMsgPlayerFrags), fragsWidth, false, right},
            {Heading(kMsgPlayerTime), 75, false, right}};
}

std::vector<KSListColumn> RuleListColumns(int totalWidth)
{
    return {{Heading(kMsgRuleKey), kRuleKeyWidth}, {Heading(kMsgRuleValue), std::max(totalWidth - kRuleKeyWidth, 50)}};
}
