#pragma once
// The custom-game commands of kestrel-query, for server admins who script installs:
//   kestrel-query mods --modmaster HOST:PORT [--master HOST:PORT] [--json]
//   kestrel-query install GAMEDIR --modmaster HOST:PORT --home DIR
// They run the launcher's own exchanges and download, and answer without asking
// (an offered zip is unpacked).
#include <QStringList>

#include <string>

bool IsModsCommand(const QStringList& arguments);
// Exit codes as kestrel-query's: 0 success, 1 failure, 2 bad arguments.
int RunModsCommand(const QStringList& arguments, std::string& out, std::string& err, bool progress);
std::string ModsUsage();
