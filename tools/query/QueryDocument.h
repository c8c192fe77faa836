#pragma once
// The list document kestrel-query runs its refreshes through, and what the commands
// share: the refresh parameters, the run loop with its progress line and idle stop,
// and the count of servers that could not be queried.
#include "browser/list/CNetGameDoc.h"
#include "browser/query/RefreshParams.h"
#include "query/QueryOptions.h"

#include <memory>
#include <string>

class ServiceAddressList;

// What the refreshes of one command lost: servers failed because no socket could be
// opened for them.
struct Losses
{
    int socketsNotOpened = 0;
};

// How long a refresh may go without a reply, a settled server or a new start before
// it is given up: the longest a record can wait for one request with its re-sends.
double IdleTimeoutFor(const QueryOptions& options);
RefreshParams ParamsFor(const QueryOptions& options);
// A document for the command line: no list file, the socket limit, time-out, retries
// and idle stop of the options, progress on standard error when asked.
std::unique_ptr<CNetGameDoc> MakeDocument(const QueryOptions& options, CNetGameDoc::Kind kind,
                                          ServiceAddressList& services, bool progress, Losses& losses);
// Servers not queried for want of a socket are failures of this program, not silent
// servers: they are named on standard error and make the exit code 1.
int ReportLosses(const Losses& losses, int total, int code, std::string& err);
