#pragma once
// kestrel-query directory --pylon HOST:PORT [--path P] [--credentials FILE] [--json]
//                         [--timeout S]
// Lists a directory of the online service through the launcher's own request classes.
// Without --credentials the player's credentials file is used when it exists, else
// the request goes out unauthenticated. Exit 0 on success, 1 when the service failed,
// 2 for bad arguments; the service's diagnostic lines go to err.
#include <QStringList>

#include <string>

int RunDirectoryCommand(const QStringList& arguments, std::string& out, std::string& err);
std::string DirectoryUsage();
