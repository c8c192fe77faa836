#pragma once
// The command line of kestrel-peer: the game servers and the master server to run.
// A config file (--config FILE) holds the same options, one "name value" per line
// ("#" starts a comment), and "[server N]" sections whose lines change server N
// only (1 = the first): name, map, gamedir, players, max-players, protocol, password,
// type, os, rule, delay, loss, silent, hostile, refuse-full.
#include "peer/GameServerConfig.h"
#include "peer/MasterServerConfig.h"
#include "peer/online/OnlineOptions.h"
#include "peer/ModMasterConfig.h"

#include <QStringList>

#include <optional>
#include <string>
#include <vector>

struct PeerOptions
{
    std::vector<GameServerConfig> gameServers;
    std::optional<MasterServerConfig> master;
    // Servers the master lists besides the ones this process runs.
    std::vector<MasterEntry> extraListed;
    // The online service (directory, factories, rooms), when asked for.
    std::optional<OnlineServiceConfig> online;
    // A request to write a player's credentials file instead of running servers.
    std::optional<CredentialsIssue> issue;
    // The custom-game master (its counts are answered on the master's port).
    std::optional<ModMasterConfig> modMaster;
};

constexpr int kMaxPeerServers = 20000;

// Parses the arguments (program name first). False with a message in error for a bad
// value; help and version requests are the caller's business (QCommandLineParser).
bool ParsePeerOptions(const QStringList& arguments, PeerOptions& options, std::string& error);
// Applies one per-server setting of a config file section.
bool ApplyServerSetting(GameServerConfig& server, const std::string& key, const std::string& value, std::string& error);
// "wrong-header", "truncated", "count", "long", "negative" or "none".
std::optional<HostileReply> ParseHostileReply(const std::string& text);
// The usage text.
std::string PeerUsage();
