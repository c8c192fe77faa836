#pragma once
// The servers of a command in the format asked for.
#include "query/QueryOptions.h"

#include <string>
#include <vector>

class CServerInfo;

std::string FormatServers(const QueryOptions& options, const std::vector<const CServerInfo*>& records);
