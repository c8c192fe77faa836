#pragma once
// Made-up game servers for the browser's screenshots.
#include <memory>

class CServerInfo;

// A busy dedicated server with a dozen players and its rules.
std::unique_ptr<CServerInfo> SampleServerWithPlayers();
// Fills a record as the i-th of a varied list of servers (names, maps, pings, kinds).
void FillSampleServer(CServerInfo& record, int i);
