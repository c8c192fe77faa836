#include "peer/PeerOptions.h"

#include <QCommandLineParser>

namespace {

constexpr int kMaxServers = 1000;

struct Parser
{
    Parser()
    {
        parser.setApplicationDescription("Runs loopback game servers that answer the Kestrel connect handshake.");
        parser.addHelpOption();
        parser.addOptions({
            {{"p", "port"}, "UDP port of the first game server (0: any free port).", "port", "27015"},
            {{"n", "count"}, "Number of game servers, on consecutive ports.", "count", "1"},
            {"name", "Server name.", "name", "Kestrel Peer"},
            {"map", "Map name.", "map", "dm_yard"},
            {"max-players", "Most players the server takes.", "count", "16"},
            {"players", "Players already on the server.", "count", "0"},
            {"password", "Password a player must give (empty: none).", "text", ""},
            {"ban", "A banned player name; repeat for more.", "name"},
            {"refuse-full", "Refuse every connect with \"Server is full.\"."},
            {"silent", "Answer nothing (a server that does not respond)."},
        });
    }
    QCommandLineParser parser;
};

bool ReadInt(const QCommandLineParser& parser, const QString& name, int low, int high, int& value, std::string& error)
{
    bool ok = false;
    const int read = parser.value(name).toInt(&ok);
    if (!ok || read < low || read > high) {
        error = "bad value for --" + name.toStdString() + ": " + parser.value(name).toStdString();
        return false;
    }
    value = read;
    return true;
}

} // namespace

bool ParsePeerOptions(const QStringList& arguments, PeerOptions& options, std::string& error)
{
    Parser wrapper;
    QCommandLineParser& parser = wrapper.parser;
    if (!parser.parse(arguments)) {
        error = parser.errorText().toStdString();
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        error = "unexpected argument: " + parser.positionalArguments().first().toStdString();
        return false;
    }
    int port = 0, count = 0;
    GameServerConfig config;
    if (!ReadInt(parser, "port", 0, 65535, port, error) || !ReadInt(parser, "count", 1, kMaxServers, count, error) ||
        !ReadInt(parser, "max-players", 1, 255, config.maxPlayers, error) ||
        !ReadInt(parser, "players", 0, 255, config.currentPlayers, error))
        return false;
    if (port != 0 && port + count - 1 > 65535) {
        error = "the ports of the servers run past 65535";
        return false;
    }
    config.name = parser.value("name").toStdString();
    config.map = parser.value("map").toStdString();
    config.password = parser.value("password").toStdString();
    for (const QString& banned : parser.values("ban"))
        config.bannedNames.push_back(banned.toStdString());
    config.refuseFull = parser.isSet("refuse-full");
    config.silent = parser.isSet("silent");

    options.gameServers.clear();
    for (int i = 0; i < count; ++i) {
        GameServerConfig server = config;
        server.port = port == 0 ? 0 : uint16_t(port + i);
        if (count > 1)
            server.name += " #" + std::to_string(i + 1);
        options.gameServers.push_back(server);
    }
    return true;
}

std::string PeerUsage()
{
    Parser wrapper;
    return wrapper.parser.helpText().toStdString();
}
