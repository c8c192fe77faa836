#include "query/ListCommands.h"

#include "app/text/ServiceAddressList.h"
#include "browser/list/RefreshLoop.h"
#include "query/CsvReport.h"
#include "query/MasterFetch.h"
#include "query/QueryDocument.h"
#include "query/QueryRunner.h"
#include "query/ServerListOutput.h"
#include "query/ServerReport.h"
#include "query/ServerSelection.h"
#include "query/ServerSources.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

int PrintSelected(const QueryOptions& options, CNetGameDoc& doc, std::string& out, std::string& err,
                  const Losses& losses)
{
    bool anyAnswered = false;
    for (const CServerInfo* r = doc.Head(); r && !anyAnswered; r = r->next)
        anyAnswered = r->InfoTime() >= 0.0;
    out += FormatServers(options, SelectServers(doc.Head(), options));
    const int code = anyAnswered ? kExitSuccess : kExitNoAnswer;
    if (code != kExitSuccess)
        err += "No server answered.\n";
    return ReportLosses(losses, doc.Count(), code, err);
}

} // namespace

int RunRefreshCommand(const QueryOptions& options, std::string& out, std::string& err, bool progress)
{
    ServiceAddressList services;
    Losses losses;
    auto doc = MakeDocument(options, CNetGameDoc::Kind::Internet, services, progress, losses);
    switch (GatherServers(options, *doc, err)) {
    case SourcesResult::Ok:
        break;
    case SourcesResult::BadInput:
        return kExitBadArguments;
    case SourcesResult::MasterFailed:
        return kExitNoAnswer;
    }
    doc->StartRefresh(doc->Head(), ParamsFor(options));
    return PrintSelected(options, *doc, out, err, losses);
}

int RunLanCommand(const QueryOptions& options, std::string& out, std::string& err, bool progress)
{
    ServiceAddressList services;
    Losses losses;
    auto doc = MakeDocument(options, CNetGameDoc::Kind::Lan, services, progress, losses);
    doc->StartLanRefresh();
    while (doc->LanRefreshInProgress()) {
        WaitForNetworkEvents();
        doc->Work();
    }
    return PrintSelected(options, *doc, out, err, losses);
}

int RunMasterCommand(const QueryOptions& options, std::string& out, std::string& err)
{
    std::vector<SourcedServer> master{SourcedServer{options.masters.front(), false}};
    std::string error;
    if (!ResolveHostNames(master, error)) {
        err += "kestrel-query: " + error + '\n';
        return kExitBadArguments;
    }
    std::vector<ServerAddress> entries;
    if (!FetchMasterList(master.front().address, options.filter, entries)) {
        err += "Couldn't get list of servers.\n";
        return kExitNoAnswer;
    }
    switch (options.format) {
    case OutputFormat::Json: {
        QJsonArray array;
        for (const ServerAddress& e : entries)
            array.append(QJsonObject{{"address", QString::fromStdString(e.host)}, {"port", e.port}});
        out += QJsonDocument(array).toJson(QJsonDocument::Indented).toStdString();
        break;
    }
    case OutputFormat::Csv:
        out += AddressesCsv(entries);
        break;
    case OutputFormat::Table: {
        std::vector<std::vector<std::string>> rows;
        for (const ServerAddress& e : entries)
            rows.push_back({e.host, std::to_string(e.port)});
        out += AlignedTable({"ADDRESS", "PORT"}, rows);
        break;
    }
    }
    return kExitSuccess;
}
