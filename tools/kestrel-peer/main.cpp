// kestrel-peer: runs test servers on 127.0.0.1 until interrupted.
#include "peer/PeerNetwork.h"

#include <QCoreApplication>

#include <cstdio>

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
    if (options.issue) {
        if (!IssueCredentialsFile(*options.issue, error)) {
            std::fprintf(stderr, "kestrel-peer: %s\n", error.c_str());
            return 1;
        }
        std::printf("credentials for \"%s\" written to %s\n", options.issue->name.c_str(), options.issue->out.c_str());
        if (!options.online)
            return 0;
    }
    const long limit = RaiseOpenFileLimit();
    if (limit > 0 && long(options.gameServers.size()) + 64 > limit)
        std::fprintf(stderr, "kestrel-peer: %zu servers may not fit the open-file limit of %ld\n",
                     options.gameServers.size(), limit);

    PeerNetwork network;
    if (!network.Start(options, error)) {
        std::fprintf(stderr, "kestrel-peer: %s\n", error.c_str());
        return 1;
    }
    const auto& servers = network.GameServers();
    // A few lines for a few servers; a summary for thousands.
    constexpr size_t kListedLines = 20;
    for (size_t i = 0; i < servers.size() && i < kListedLines; ++i)
        std::printf("game server \"%s\" on 127.0.0.1:%u\n", servers[i]->State().Config().name.c_str(),
                    unsigned(servers[i]->Port()));
    if (servers.size() > kListedLines)
        std::printf("... %zu game servers in all\n", servers.size());
    if (PeerMasterServer* master = network.Master())
        std::printf("master server on 127.0.0.1:%u\n", unsigned(master->Port()));
    if (PeerOnlineService* online = network.Online()) {
        std::printf("online directory server on 127.0.0.1:%u\n", unsigned(online->DirectoryPort()));
        for (uint16_t port : online->FactoryPorts())
            std::printf("online factory server on 127.0.0.1:%u\n", unsigned(port));
        for (const PeerRoom& room : online->Rooms())
            std::printf("chat room \"%s\" on 127.0.0.1:%u\n", room.name.c_str(), unsigned(room.port));
    }
    if (PeerModMaster* modMaster = network.ModMaster())
        std::printf("custom-game master on 127.0.0.1:%u\n", unsigned(modMaster->Port()));
    std::fflush(stdout);
    return application.exec();
}
