#pragma once
// The columns of the browser's lists: headings from the localised texts and widths
// that some languages change through numbers in their texts.
#include "ui/KSListModel.h"

#include <vector>

inline constexpr int kIconColumnWidth = 16;
inline constexpr int kMsgColumnServer = 94;
inline constexpr int kMsgColumnPing = 95;
inline constexpr int kMsgColumnMap = 96;
inline constexpr int kMsgColumnPlayers = 97;
inline constexpr int kMsgColumnGame = 99;
inline constexpr int kMsgLanColumnWidths = 482;
inline constexpr int kMsgWideGameColumn = 484;
inline constexpr int kMsgWideLanguage = 494;
inline constexpr int kMsgWidePing = 498;
inline constexpr int kMsgPlayerId = 118;
inline constexpr int kMsgPlayerName = 119;
inline constexpr int kMsgPlayerFrags = 120;
inline constexpr int kMsgPlayerTime = 121;
inline constexpr int kMsgRuleKey = 294;
inline constexpr int kMsgRuleValue = 295;
inline constexpr int kRuleKeyWidth = 150;

// Four icon columns, then name, ping, map, game and players.
std::vector<KSListColumn> InternetListColumns();
// The same columns with the widths of the LAN list (message 482).
std::vector<KSListColumn> LanListColumns();
// Id, name, frags and time of the server details' player list.
std::vector<KSListColumn> PlayerListColumns();
// Rule and value; the value takes the rest of the width.
std::vector<KSListColumn> RuleListColumns(int totalWidth);
