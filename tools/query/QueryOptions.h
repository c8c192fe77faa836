#pragma once
// The command line of kestrel-query (QueryUsage() lists every form and option).
// "--target" replaces the LAN broadcast address (tests use 127.0.0.1).
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

enum class QueryCommand
{
    Info,
    Players,
    Rules,
    Master,
    Refresh,
    Lan,
};

enum class OutputFormat
{
    Table,
    Json,
    Csv,
};

// One HOST:PORT of the command line or of a list file.
struct ServerAddress
{
    std::string host;
    int port = 0;
};

// The launcher's list filters, as the options name them.
struct FilterOptions
{
    bool notEmpty = false;
    bool notFull = false;
    std::optional<std::string> map;
    int maxPing = -1; // -1: no limit
    bool dedicated = false;
    bool linuxOnly = false;
    bool proxies = false;
    bool noProxies = false;
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
    // The first server or master named (what the single-address commands use).
    std::string host;
    int port = 0;
    std::vector<ServerAddress> servers;     // info, players, rules: in the order given
    std::vector<ServerAddress> masters;     // refresh --master
    std::vector<std::string> listFiles;     // refresh --list
    std::vector<std::string> favoriteFiles; // refresh --favorites
    std::string filter;
    OutputFormat format = OutputFormat::Table;
    bool json = false; // format == Json
    bool players = false;
    bool rules = false;
    FilterOptions filters;
    std::vector<int> sortKeys; // signed column numbers, as the launcher's sort keys
    int maxSockets = kDefaultMaxSockets;
    double timeout = 2.0;
    int retries = 3;
    int portBase = kDefaultLanPortBase;
    std::string lanTarget = kDefaultLanTarget;
};

// Parses the arguments (program name first); false with the reason in error.
bool ParseQueryOptions(const QStringList& arguments, QueryOptions& options, std::string& error);
// Splits "host:port" (or a bare host, taking defaultPort). IPv6 forms (brackets, more
// than one colon) are refused with their own reason, as are bad ports and hosts.
bool SplitHostPort(const std::string& text, int defaultPort, std::string& host, int& port, std::string* why = nullptr);
// "name" or "-ping,players": the launcher's sort keys for a list of column names,
// "-" before a name for descending order.
bool ParseSortKeys(const std::string& text, std::vector<int>& keys, std::string& error);
// The usage lines.
std::string QueryUsage();
