#pragma once
// kestrel-query's commands on the browser's own classes: one server's info, players
// or rules; a master's list; or a master's list refreshed with a bounded number of
// queries in flight. Runs in the calling thread's event loop, so tests can run it
// in-process beside in-process peers.
#include "query/QueryOptions.h"

#include <QStringList>

#include <string>

enum QueryExit
{
    kExitSuccess = 0,
    kExitNoAnswer = 1,
    kExitBadArguments = 2,
};

// Runs the command; what it prints goes to out (the table or JSON) and err
// (messages). With progress set, refresh progress is written to standard error.
int RunKestrelQuery(const QStringList& arguments, std::string& out, std::string& err, bool progress);
