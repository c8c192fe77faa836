#pragma once
// kestrel-query info|players|rules: the servers named, queried in parallel.
#include "query/QueryOptions.h"

#include <string>

int RunServersCommand(const QueryOptions& options, std::string& out, std::string& err);
