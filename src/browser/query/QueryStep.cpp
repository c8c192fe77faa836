#include "browser/query/QueryStep.h"

#include "app/text/StringList.h"
#include "browser/query/BrowserClock.h"
#include "browser/record/CServerInfo.h"

namespace {

void HandleTimeout(CServerInfo& r, const RefreshParams& p, QueryStepState& state, double now)
{
    const int old = r.retries;
    r.retries = old + 1;
    if (old < p.maxRetries) {
        switch (r.status) {
        case CServerInfo::ConnectFailed:
            r.lastSend = now;
            r.ConnectSocket();
            ++state.connectRetries;
            break;
        case CServerInfo::InfoSent:
            r.SendInfoRequest();
            ++state.infoRetries;
            break;
        case CServerInfo::PlayersSent:
            r.SendPlayersRequest();
            ++state.playersRetries;
            break;
        case CServerInfo::RulesSent:
            r.SendRulesRequest();
            ++state.rulesRetries;
            break;
        default:
            break;
        }
        return;
    }
    if (r.status < CServerInfo::InfoReceived) {
        r.status = CServerInfo::Failed;
        r.noresponse = true;
    } else {
        r.status = CServerInfo::Done; // what was received is kept
    }
}

} // namespace

bool RunQueryStep(CServerInfo& r, const RefreshParams& p, QueryStepState& state)
{
    if (r.lan || r.filtered || r.ipx)
        return false;
    if (r.status == CServerInfo::Failed || r.status == CServerInfo::Done) {
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

    if (r.status == CServerInfo::Idle) {
        if (p.showNames && state.statusText.empty()) {
            state.statusText = FormatString(kMsgContacting, r.name.c_str());
            state.lastProgressDisplay = -1.0;
        }
        if (state.openSockets >= p.maxInFlight) {
            r.lastSend = now; // waiting for a socket does not run down the time-out
            return true;
        }
        if (!r.CreateSocket()) {
            ++state.socketsNotOpened;
            return true;
        }
        ++state.openSockets;
        r.retries = 0;
    }
    if (r.status == CServerInfo::SocketOpen) {
        if (!r.ConnectSocket())
            return true;
        r.lastSend = now;
        r.retries = 0;
    }
    if (r.status == CServerInfo::ConnectFailed)
        return true;
    if (r.status == CServerInfo::Connected) {
        r.ClearPingSamples();
        r.svping = 0.0;
        r.packetloss = 100.0f;
        r.lastSend = now;
        r.SendInfoRequest();
        return true;
    }
    if (r.status == CServerInfo::InfoSent)
        return true;
    if (r.status == CServerInfo::InfoReceived) {
        if ((p.flags & RefreshParams::kRequestPlayers) && r.PreparePlayers()) {
            r.SendPlayersRequest();
            r.lastSend = now;
            r.retries = 0;
            return true;
        }
        r.status = CServerInfo::PlayersReceived;
    }
    if (r.status == CServerInfo::PlayersSent)
        return true;
    if (r.status == CServerInfo::PlayersReceived) {
        if (p.flags & RefreshParams::kRequestRules) {
            r.lastSend = now;
            r.SendRulesRequest();
        } else {
            r.status = CServerInfo::RulesReceived;
        }
        return true;
    }
    if (r.status == CServerInfo::RulesSent)
        return true;
    r.status = CServerInfo::Done;
    state.statusText = FormatString(kMsgServerDone, r.name.c_str());
    return true;
}
