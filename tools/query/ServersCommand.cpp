#include "query/ServersCommand.h"

#include "app/text/ServiceAddressList.h"
#include "query/QueryDocument.h"
#include "query/QueryRunner.h"
#include "query/ServerListOutput.h"
#include "query/ServerSources.h"

#include <algorithm>

namespace {

// The request beyond the info that the command asks for, for the messages.
const char* SecondRequest(QueryCommand command)
{
    return command == QueryCommand::Players ? "players" : command == QueryCommand::Rules ? "rules" : nullptr;
}

} // namespace

int RunServersCommand(const QueryOptions& options, std::string& out, std::string& err)
{
    std::vector<SourcedServer> named;
    for (const ServerAddress& a : options.servers)
        named.push_back(SourcedServer{a, false});
    std::string error;
    if (!ResolveHostNames(named, error)) {
        err += "kestrel-query: " + error + '\n';
        return kExitBadArguments;
    }
    QueryOptions o = options;
    o.maxSockets = std::clamp(int(named.size()), QueryOptions::kMinSockets, QueryOptions::kMaxSockets);
    ServiceAddressList services;
    Losses losses;
    auto doc = MakeDocument(o, CNetGameDoc::Kind::Lan, services, false, losses);
    // Each server once, in the order first named.
    std::vector<CServerInfo*> records;
    for (const SourcedServer& s : named) {
        CServerInfo* r = doc->AddServer(s.address.host, s.address.port);
        if (r && std::find(records.begin(), records.end(), r) == records.end())
            records.push_back(r);
    }
    doc->StartRefresh(records, ParamsFor(o));

    std::vector<const CServerInfo*> answered;
    int code = kExitSuccess;
    const char* second = SecondRequest(o.command);
    for (const CServerInfo* r : records) {
        const std::string name = r->address + ':' + std::to_string(r->port);
        if (r->InfoTime() < 0.0) {
            err += "No answer from " + name + ".\n";
            code = kExitNoAnswer;
            continue;
        }
        answered.push_back(r);
        // A request given up after its re-sends leaves the record done with more
        // re-sends than allowed; one cut short by the end of the refresh is not done.
        if (second && (r->status != CServerInfo::Done || r->retries > o.retries)) {
            err += name + " did not answer the " + second + " request.\n";
            code = kExitNoAnswer;
        }
    }
    out += FormatServers(o, answered);
    return ReportLosses(losses, doc->Count(), code, err);
}
