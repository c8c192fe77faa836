#pragma once
// How kestrel-query shows server records: an aligned text table or JSON, one object
// per server under the record's own field names.
#include "browser/record/CServerInfo.h"

#include <QJsonObject>

#include <string>
#include <vector>

// The record as JSON; "players" and "rules" only when asked.
QJsonObject ServerJson(const CServerInfo& record, bool withPlayers, bool withRules);
// Rows of text under a header, each column as wide as its widest cell.
std::string AlignedTable(const std::vector<std::string>& header, const std::vector<std::vector<std::string>>& rows);
// One row per server: address, name, map, players, ping and more.
std::string ServerTable(const std::vector<const CServerInfo*>& records);
std::string PlayersTable(const CServerInfo& record);
std::string RulesTable(const CServerInfo& record);
// A cell of text safe for a terminal: control characters become '?', long texts are cut.
std::string Printable(const std::string& text, size_t width = 40);
