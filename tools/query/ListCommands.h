#pragma once
// kestrel-query refresh, lan and master: lists of servers, filtered and sorted with
// the launcher's own rules.
#include "query/QueryOptions.h"

#include <string>

int RunRefreshCommand(const QueryOptions& options, std::string& out, std::string& err, bool progress);
int RunLanCommand(const QueryOptions& options, std::string& out, std::string& err, bool progress);
int RunMasterCommand(const QueryOptions& options, std::string& out, std::string& err);
