#pragma once
// kestrel-query rooms --pylon HOST:PORT [--credentials FILE] [--json]
// Lists the chat rooms of the online service with their addresses and user counts,
// as the chat client's room refresh sees them. Needs credentials (the player's
// credentials file when --credentials is not given). Exit 0 on success, 1 when the
// refresh failed, 2 for bad arguments.
#include <QStringList>

#include <string>

int RunRoomsCommand(const QStringList& arguments, std::string& out, std::string& err);
std::string RoomsUsage();
