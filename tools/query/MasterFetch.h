#pragma once
// One master server's list of game servers, through the launcher's own list request.
#include "query/QueryOptions.h"

#include <string>
#include <vector>

// Runs the exchange in the calling thread's event loop. False when the list could not
// be had; entries a master lists twice are kept once.
bool FetchMasterList(const ServerAddress& master, const std::string& filter, std::vector<ServerAddress>& entries);
