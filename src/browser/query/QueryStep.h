#pragma once
// One step of the query of one server record: advances its state, sends requests,
// re-sends on time-outs and gives up when the retries are used. The refresh engine
// runs it over a list once per pass.
#include "browser/query/RefreshParams.h"

#include <string>

class CServerInfo;

// What the refresh engine owns and every step of a pass shares.
struct QueryStepState
{
    int openSockets = 0;
    std::string statusText;
    double lastProgressDisplay = 0.0;
    // Re-sends per request kind, for the statistics.
    int connectRetries = 0;
    int infoRetries = 0;
    int playersRetries = 0;
    int rulesRetries = 0;
    // Records failed because no socket could be opened for them (the open-file limit).
    int socketsNotOpened = 0;
};

// Returns true when the record counts as pending (neither failed nor done on entry).
bool RunQueryStep(CServerInfo& record, const RefreshParams& params, QueryStepState& state);

constexpr int kMsgContacting = 230;
constexpr int kMsgServerDone = 126;
