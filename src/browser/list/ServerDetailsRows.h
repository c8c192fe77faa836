#pragma once
// What the server details dialog lists for one record: a row per player and per rule,
// and the texts of its header lines.
#include "ui/KSListRows.h"

#include <string>
#include <vector>

class CServerInfo;

// "%ih %02i:%02i" from one hour on, else "%02i:%02i" (a negative time counts as 0).
std::string PlayerTimeText(int seconds);

// One row per filled slot among the first currentplayers slots: id, name, frags and
// time. Only slots the record really holds are read, whatever currentplayers says.
std::vector<KSListRow> PlayerRows(const CServerInfo& record);
// One row per rule, in list order: key and value.
std::vector<KSListRow> RuleRows(const CServerInfo& record);

// "%s:%i" with the address and port; "%i ms." with the ping.
std::string AddressText(const CServerInfo& record);
std::string PingText(const CServerInfo& record);
