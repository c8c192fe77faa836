#pragma once
// The command line of kestrel-query.
//   kestrel-query info|players|rules HOST:PORT [--json] [--timeout S] [--retries N]
//   kestrel-query master HOST:PORT [--filter TEXT] [--json]
//   kestrel-query refresh --master HOST:PORT [--filter TEXT] [--maxsockets N]
//                 [--timeout S] [--retries N] [--players] [--rules] [--json]
//   kestrel-query lan [--port-base P] [--target ADDRESS] [--timeout S] [--retries N] [--json]
// "--target" replaces the broadcast address (tests use 127.0.0.1).
#include <QStringList>

#include <string>

enum class QueryCommand
{
    Info,
    Players,
    Rules,
    Master,
    Refresh,
    Lan,
};

struct QueryOptions
{
    static constexpr int kDefaultServerPort = 27015;
    static constexpr int kDefaultMasterPort = 27010;
    static constexpr int kDefaultMaxSockets = 40;
    static constexpr int kMinSockets = 4;
    static constexpr int kMaxSockets = 1000;
    static constexpr int kDefaultLanPortBase = 27015;
    static constexpr int kLanPortCount = 10;
    static constexpr const char* kDefaultLanTarget = "255.255.255.255";

    QueryCommand command = QueryCommand::Info;
    std::string host;
    int port = 0;
    std::string filter;
    bool json = false;
    bool players = false;
    bool rules = false;
    int maxSockets = kDefaultMaxSockets;
    double timeout = 2.0;
    int retries = 3;
    int portBase = kDefaultLanPortBase;
    std::string lanTarget = kDefaultLanTarget;
};

// Parses the arguments (program name first); false with the reason in error.
bool ParseQueryOptions(const QStringList& arguments, QueryOptions& options, std::string& error);
// Splits "host:port" (or a bare host, taking defaultPort); false for a bad port.
bool SplitHostPort(const std::string& text, int defaultPort, std::string& host, int& port);
// The usage lines.
std::string QueryUsage();
