// kestrel-peer: runs test servers on 127.0.0.1 until interrupted.
#include "peer/PeerGameServer.h"
#include "peer/PeerOptions.h"

#include <QCoreApplication>

#include <cstdio>
#include <memory>
#include <vector>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.contains("-h") || arguments.contains("--help")) {
        std::printf("%s", PeerUsage().c_str());
        return 0;
    }
    PeerOptions options;
    std::string error;
    if (!ParsePeerOptions(arguments, options, error)) {
        std::fprintf(stderr, "kestrel-peer: %s\n%s", error.c_str(), PeerUsage().c_str());
        return 2;
    }

    std::vector<std::unique_ptr<PeerGameServer>> servers;
    for (const GameServerConfig& config : options.gameServers) {
        auto server = std::make_unique<PeerGameServer>(config);
        if (!server->Start()) {
            std::fprintf(stderr, "kestrel-peer: cannot bind 127.0.0.1:%u: %s\n", unsigned(config.port),
                         server->ErrorText().toLocal8Bit().constData());
            return 1;
        }
        std::printf("game server \"%s\" on 127.0.0.1:%u\n", config.name.c_str(), unsigned(server->Port()));
        servers.push_back(std::move(server));
    }
    std::fflush(stdout);
    return application.exec();
}
