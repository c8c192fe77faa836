#include "browser/list/ServerJoinTarget.h"

#include "browser/record/CServerInfo.h"

JoinTarget JoinTargetFor(const CServerInfo& server)
{
    JoinTarget target;
    target.address = server.address;
    target.port = server.port;
    target.protocol = server.protocol;
    target.needsPassword = server.password;
    target.name = server.name;
    target.addressHasPort = server.address.find(':') != std::string::npos;
    return target;
}
