#pragma once
// The refresh engine's work over a list of records, without its window: the resets
// when a refresh begins and the passes that run the query step over every record
// until the list has settled.
#include "browser/query/QueryStep.h"
#include "browser/query/RefreshParams.h"

class CServerInfo;

// Puts every record that is neither LAN-only nor filtered back to Idle (closing its
// socket), and starts the idle clock. head: a list linked through next.
void BeginRefresh(CServerInfo* head, const RefreshParams& params, QueryStepState& state);

struct RefreshPassResult
{
    int pending = 0; // records that were neither failed nor done
    bool stop = false;
};

// One pass: the query step on every record in list order. The refresh stops when
// nothing is pending, or when fewer than maxInFlight records are pending and no reply
// came for longer than the idle time-out.
RefreshPassResult RunRefreshPass(CServerInfo* head, const RefreshParams& params, QueryStepState& state);
