#include "browser/QueryStep.h"

#include "app/StringList.h"
#include "browser/BrowserClock.h"
#include "browser/CServerInfo.h"

namespace {

void HandleTimeout(CServerInfo& r, const RefreshParams& p, QueryStepState& state, double now)
{
    const int old = r.retries;
    r.retries = old + 1;
    if (old < p.maxRetries) {
        switch (r.status) {
        case ConnectFailed:
            r.lastSend = now;
            r.ConnectSocket();
            ++state.connectRetries;
            break;
        case InfoSent:
            r.SendInfoRequest();
            ++state.infoRetries;
            break;
        case PlayersSent:
            r.SendPlayersRequest();
            ++state.playersRetries;
            break;
        case RulesSent:
            r.SendRulesRequest();
            ++state.rulesRetries;
            break;
        default:
            break;
        }
        return;
    }
    if (r.status < InfoReceived) {
        r.status = Failed;
        r.noresponse = true;
    } else {
        r.status = Done;  // what was received is kept
    }
}

} // namespace

bool RunQueryStep(CServerInfo& r, const RefreshParams& p, QueryStepState& state)
{
    if (r.lan || r.filtered || r.ipx)
        return false;
    if (r.status == Failed || r.status == Done) {
        if (r.Socket()) {
            r.CloseSocket();
            --state.openSockets;
        }
        return false;
    }
    const double now = BrowserClockNow();
    if (now - r.lastSend >= p.timeout) {
        HandleTimeout(r, p, state, now);
        return true;
    }

    if (r.status == Idle) {
        if (p.showNames && state.statusText.empty()) {
            state.statusText = FormatString(kMsgContacting, r.name.c_str());
            state.lastProgressDisplay = -1.0;
        }
        if (state.openSockets >= p.maxInFlight) {
            r.lastSend = now;  // waiting for a socket does not run down the time-out
            return true;
        }
        if (!r.CreateSocket())
            return true;
        ++state.openSockets;
        r.retries = 0;
    }
    if (r.status == SocketOpen) {
        if (!r.ConnectSocket())
            return true;
        r.lastSend = now;
        r.retries = 0;
    }
    if (r.status == ConnectFailed)
        return true;
    if (r.status == Connected) {
        r.ClearPingSamples();
        r.svping = 0.0;
        r.packetloss = 100.0f;
        r.lastSend = now;
        r.SendInfoRequest();
        return true;
    }
    if (r.status == InfoSent)
        return true;
    if (r.status == InfoReceived) {
        if ((p.flags & RefreshParams::kRequestPlayers) && r.PreparePlayers()) {
            r.SendPlayersRequest();
            r.lastSend = now;
            r.retries = 0;
            return true;
        }
        r.status = PlayersReceived;
    }
    if (r.status == PlayersSent)
        return true;
    if (r.status == PlayersReceived) {
        if (p.flags & RefreshParams::kRequestRules) {
            r.lastSend = now;
            r.SendRulesRequest();
        } else {
            r.status = RulesReceived;
        }
        return true;
    }
    if (r.status == RulesSent)
        return true;
    r.status = Done;
    state.statusText = FormatString(kMsgServerDone, r.name.c_str());
    return true;
}
