// The query operations of a server record: its socket and the three requests.
#include "browser/query/BrowserClock.h"
#include "browser/query/CKSAsyncSocket.h"
#include "browser/record/CServerInfo.h"

namespace {
constexpr const char* kInfoCommand = "infostring\n";
constexpr const char* kPlayersCommand = "players";
constexpr const char* kRulesCommand = "rules";
} // namespace

bool CServerInfo::CreateSocket()
{
    socket = std::make_unique<CKSAsyncSocket>(*this);
    if (!socket->Create()) {
        socket.reset();
        status = Failed;
        return false;
    }
    ClearPingSamples();
    status = SocketOpen;
    return true;
}

bool CServerInfo::ConnectSocket()
{
    if (!socket) {
        status = Failed;
        return false;
    }
    if (socket->ConnectToServer()) {
        status = Connected;
        return true;
    }
    // The socket stays; the time-out handling tries the connect again.
    status = ConnectFailed;
    return false;
}

namespace {
bool Send(CServerInfo& r, const char* command, int sentStatus)
{
    if (!r.socket)
        return false;
    r.socket->SendCommand(command);
    r.status = sentStatus;
    r.lastSend = BrowserClockNow();
    return true;
}
} // namespace

bool CServerInfo::SendInfoRequest()
{
    return Send(*this, kInfoCommand, InfoSent);
}

bool CServerInfo::SendPlayersRequest()
{
    return Send(*this, kPlayersCommand, PlayersSent);
}

bool CServerInfo::SendRulesRequest()
{
    return Send(*this, kRulesCommand, RulesSent);
}

bool CServerInfo::PreparePlayers()
{
    if (!socket || maxplayers <= 0)
        return false;
    AllocatePlayerSlots();
    if (currentplayers == 0)
        return false;
    status = PlayersSent;
    return true;
}

void CServerInfo::CloseSocket()
{
    socket.reset();
}
