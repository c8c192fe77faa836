#include "config/server/ServerCommandText.h"

#include "platform/NumberText.h"

std::vector<std::string> DedicatedServerArguments(const CreateServerRequest& request,
                                                  const std::string& customGameDirectory)
{
    std::vector<std::string> arguments;
    if (request.lan)
        arguments.insert(arguments.end(), {"+sv_lan", "1"});
    arguments.insert(arguments.end(), {"+maxplayers", FormatInt(request.maxPlayers), "+sv_password",
                                       request.password, "+hostname", request.hostName, "+map", request.map});
    if (!customGameDirectory.empty())
        arguments.insert(arguments.end(), {"-game", customGameDirectory});
    return arguments;
}

std::string ListenServerCommandText(const CreateServerRequest& request)
{
    std::string text = "disconnect\n";
    text += request.lan ? "sv_lan 1\nsetmaster disable\n" : "sv_lan 0\nsetmaster enable\n";
    text += "maxplayers " + FormatInt(request.maxPlayers) + "\n";
    text += "sv_password \"" + request.password + "\"\n";
    text += "hostname \"" + request.hostName + "\"\n";
    text += "map " + request.map + "\n";
    return text;
}
