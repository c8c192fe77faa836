#include "app/menu/LauncherJoin.h"

#include "app/engine/EngineHost.h"
#include "app/engine/QtEngineDisplay.h"
#include "app/menu/HostJoinEngine.h"
#include "app/menu/JoinFlow.h"
#include "app/text/Messages.h"

namespace {

constexpr int kMessageNoServer = 350;

std::function<std::string()>& PlayerName()
{
    static std::function<std::string()> name;
    return name;
}

} // namespace

void SetJoinPlayerName(std::function<std::string()> name)
{
    PlayerName() = std::move(name);
}

std::string JoinPlayerName()
{
    return PlayerName() ? PlayerName()() : std::string("Player");
}

bool LauncherJoinServer(const JoinTarget* server)
{
    EngineHost& host = TheEngineHost();
    HostJoinEngine engine(host);
    JoinFlow join(engine);
    if (PlayerName())
        join.SetPlayerName(PlayerName());
    for (;;) {
        if (join.JoinServer(server))
            return true;
        // An engine that quit has handed the screen back already; a launcher that is
        // ending asks nothing more.
        if (join.Ended())
            return false;
        TheEngineDisplay().TakeScreenBack();
        if (join.NoServerFound()) {
            ShowMessage(kMessageNoServer);
            return false;
        }
        // A join that ended before the engine ran (another protocol, no password, an
        // engine that would not start) has been reported already.
        if (!host.Loaded() || !join.AfterFailedJoin() || !server)
            return false;
    }
}
