// ksds: the stand-in dedicated server. Started by the launcher's create-server dialog
// in the base directory; serves one map until it is stopped.
#include "ksds/DedicatedServer.h"
#include "platform/TerminationSignals.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    std::string error;
    const std::optional<KsdsOptions> options = ParseKsdsOptions(arguments, error);
    if (!options) {
        std::fprintf(stderr, "ksds: %s\n", error.c_str());
        return DedicatedServer::kExitBadArguments;
    }
    DedicatedServer server(*options);
    const int status = server.Start(error);
    if (status != 0) {
        std::fprintf(stderr, "ksds: %s\n", error.c_str());
        return status;
    }
    std::printf("ksds: serving on port %u\n", unsigned(server.Port()));
    std::fflush(stdout);
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::Requested, &app, [&] {
        server.Log("Stopped.");
        QCoreApplication::quit();
    });
    return app.exec();
}
