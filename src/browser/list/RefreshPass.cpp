#include "browser/list/RefreshPass.h"

#include "browser/query/BrowserClock.h"
#include "browser/query/CKSAsyncSocket.h"
#include "browser/record/CServerInfo.h"

void BeginRefresh(CServerInfo* head, const RefreshParams& params, QueryStepState& state)
{
    const double now = BrowserClockNow();
    for (CServerInfo* r = head; r; r = r->next) {
        if (r->lan || r->IsFiltered())
            continue;
        if (r->Socket()) {
            r->CloseSocket();
            if (state.openSockets > 0)
                --state.openSockets;
        }
        if (params.flags & RefreshParams::kRequestPlayers)
            r->FreePlayers();
        r->lastSend = now;
        r->noresponse = false;
        r->status = CServerInfo::Idle;
        r->retries = 0;
    }
    state.statusText.clear();
    CKSAsyncSocket::SetLastReplyTime(float(now));
}

RefreshPassResult RunRefreshPass(CServerInfo* head, const RefreshParams& params, QueryStepState& state)
{
    RefreshPassResult result;
    for (CServerInfo* r = head; r; r = r->next) {
        if (RunQueryStep(*r, params, state))
            ++result.pending;
    }
    const double idleTimeout = params.idleTimeout > 0.0 ? params.idleTimeout : RefreshParams::kDefaultIdleTimeout;
    const double sinceReply = BrowserClockNow() - double(CKSAsyncSocket::LastReplyTime());
    result.stop = result.pending == 0 || (result.pending < params.maxInFlight && sinceReply > idleTimeout);
    return result;
}
