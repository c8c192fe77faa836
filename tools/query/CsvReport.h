#pragma once
// kestrel-query's CSV output: a header line, then one line per row (LF); fields holding a
// comma, a quote or a line break are quoted, quotes doubled (RFC 4180).
#include "query/QueryOptions.h"

#include <string>
#include <vector>

class CServerInfo;

std::string CsvField(const std::string& text);
std::string CsvLine(const std::vector<std::string>& fields);
// The servers under the JSON output's field names.
std::string ServersCsv(const std::vector<const CServerInfo*>& records);
// One line per player of each server, the server's address first.
std::string PlayersCsv(const std::vector<const CServerInfo*>& records);
// One line per rule of each server, in the server's order.
std::string RulesCsv(const std::vector<const CServerInfo*>& records);
std::string AddressesCsv(const std::vector<ServerAddress>& addresses);
