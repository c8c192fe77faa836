#pragma once
// How kestrel-query shows server records as aligned text tables.
#include "browser/record/CServerInfo.h"
#include "query/TerminalText.h"

#include <string>
#include <vector>

// Rows of text under a header, each column as wide as its widest cell in characters.
std::string AlignedTable(const std::vector<std::string>& header, const std::vector<std::vector<std::string>>& rows);
// One row per server: address, name, map, players, ping and more.
std::string ServerTable(const std::vector<const CServerInfo*>& records);
std::string PlayersTable(const CServerInfo& record);
std::string RulesTable(const CServerInfo& record);
// Under a line naming the server, its players and rules tables, as asked.
std::string ServerDetailsText(const CServerInfo& record, bool withPlayers, bool withRules);
// The rules in the order the server sent them.
std::vector<const ServerRule*> RulesInOrder(const CServerInfo& record);
