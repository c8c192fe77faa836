#pragma once
// The quick start's choice of servers: which records of a list are candidates, and
// the order that ranks them (also used by "best servers first").
#include <cstdint>
#include <string>
#include <vector>

class CServerInfo;
struct EngineStatus;

struct QuickStartContext
{
    // The running custom game's directory; empty when no custom game runs.
    bool customGameRunning = false;
    std::string currentGame = "harrow";
    // The address ("%i.%i.%i.%i") of the server the engine is on, when it is excluded.
    bool excludeCurrentServer = false;
    std::string currentServer;
};

// The context of the running launcher: the active custom game's directory ("harrow"
// when there is none or it is empty) and, when given, the server to exclude.
QuickStartContext CurrentQuickStartContext(const std::string* excludeServerAddress);
// The address of the server the engine is connected to, from its status record.
std::string CurrentServerAddress(const EngineStatus& status);

struct CandidateList
{
    CServerInfo* head = nullptr; // linked through nextCandidate, in list order
    int count = 0;
    CServerInfo* fastest = nullptr; // smallest ping; the first of equal ones
};

bool IsQuickStartCandidate(const CServerInfo& r, const QuickStartContext& context);
// head: the first record of a list linked through next.
CandidateList QuickStartCandidates(CServerInfo* head, const QuickStartContext& context);

// Scores of the ranking. rate: the player's connection rate in bytes per second.
int CapacityForRate(int32_t rate);
int CapacityScore(int32_t maxplayers, int32_t rate);
int PingScore(double svping);
int FillScore(int32_t currentplayers, int32_t maxplayers);
int TotalScore(const CServerInfo& r, int32_t rate);

// True when a ranks before b: proxies first, then measured pings, known maps,
// dedicated servers, some players, the higher total score, and creation order.
bool RanksBefore(const CServerInfo& a, const CServerInfo& b, int32_t rate);
// Orders records by rank; records that rank equal keep their order.
void RankServers(std::vector<CServerInfo*>& records, int32_t rate);
// Sorts the candidates by rank and relinks them; head and fastest stay valid.
void RankCandidates(CandidateList& candidates, int32_t rate);
