#pragma once
// The servers kestrel-query prints: the launcher's own list filters and sort keys,
// set from the command line's options.
#include "query/QueryOptions.h"

#include <vector>

class CServerInfo;
struct ServerFilter;

// The launcher's filter settings for the options (the game filter off: the command
// line shows every game's servers unless told otherwise).
ServerFilter FilterFor(const FilterOptions& options);
// The records of a list (linked through next) that answered and pass the filters,
// in the order of the sort keys (list order when there are none).
std::vector<const CServerInfo*> SelectServers(CServerInfo* head, const QueryOptions& options);
