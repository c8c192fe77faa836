#pragma once
// The command line of kestrel-peer: the game servers to run.
#include "peer/GameServerConfig.h"

#include <QStringList>

#include <string>
#include <vector>

struct PeerOptions
{
    std::vector<GameServerConfig> gameServers;
};

// Parses the arguments (program name first). False with a message in error for a bad
// value; help and version requests are the caller's business (QCommandLineParser).
bool ParsePeerOptions(const QStringList& arguments, PeerOptions& options, std::string& error);
// The usage text.
std::string PeerUsage();
