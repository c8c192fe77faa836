#include "query/QueryRunner.h"

#include "query/ModsCommand.h"

#include "app/text/ServiceAddressList.h"
#include "browser/list/CNetGameDoc.h"
#include "browser/list/RefreshLoop.h"
#include "browser/master/MasterDocument.h"
#include "browser/master/MasterListRequest.h"
#include "browser/query/BrowserClock.h"
#include "browser/query/CKSAsyncSocket.h"
#include "browser/record/CServerInfo.h"
#include "query/ServerReport.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <set>
#include <vector>

namespace {

constexpr int kWaitMs = 2;
constexpr double kProgressInterval = 0.25;

// Lets the sockets work for a moment (or until an event arrives).
void Wait()
{
    QEventLoop loop;
    QTimer::singleShot(kWaitMs, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

class ListDocument : public MasterDocument
{
public:
    void AddMasterServer(const std::string& address, int port) override
    {
        // A master may list a server twice; one record each is enough.
        if (m_seen.insert({address, port}).second)
            entries.push_back(MasterEntry{address, port});
    }
    ServiceAddressList& Services() override { return services; }

    std::vector<MasterEntry> entries;
    ServiceAddressList services;

private:
    std::set<std::pair<std::string, int>> m_seen;
};

// Fetches the master's list; the exchange's result (0 when complete).
int FetchList(const QueryOptions& options, ListDocument& doc, std::string& err)
{
    doc.services.AppendAddress(ServiceAddressList::Section::Master, options.host, uint16_t(options.port));
    int result = -1;
    MasterListRequest request(doc, doc.services, [&](MasterDocument&, int r) { result = r; });
    request.Start(options.filter);
    while (result < 0) {
        Wait();
        request.Think();
    }
    if (result != MasterListRequest::kComplete)
        err += "Couldn't get list of servers.\n";
    return result;
}

RefreshParams ParamsFor(const QueryOptions& options)
{
    RefreshParams p;
    p.maxInFlight = options.maxSockets;
    p.maxRetries = options.retries;
    p.timeout = options.timeout;
    p.flags = RefreshParams::kRequestInfo;
    if (options.players || options.command == QueryCommand::Players)
        p.flags |= RefreshParams::kRequestPlayers;
    if (options.rules || options.command == QueryCommand::Rules)
        p.flags |= RefreshParams::kRequestRules;
    p.idleTimeout = RefreshParams::kDefaultIdleTimeout;
    return p;
}

// What the refreshes of one command lost: servers failed because no socket could be
// opened for them.
struct Losses
{
    int socketsNotOpened = 0;
};

// Runs the refresh to its end through the browser's own engine, with a progress
// line on standard error when asked.
CNetGameDoc::RefreshRunner ProgressRunner(bool progress, Losses& losses)
{
    return [progress, &losses](RefreshEngine& engine) {
        double lastProgress = -1.0;
        const double start = engine.StartTime();
        for (;;) {
            const bool more = engine.RunPass();
            const double now = BrowserClockNow();
            if (progress && now - lastProgress >= kProgressInterval) {
                lastProgress = now;
                std::fprintf(stderr, "\r%d pending, %.1f s ", engine.Pending(), now - start);
            }
            if (!more)
                break;
            WaitForNetworkEvents();
        }
        if (progress)
            std::fprintf(stderr, "\rQueried in %.1f s.              \n", BrowserClockNow() - start);
        losses.socketsNotOpened += engine.State().socketsNotOpened;
    };
}

// A document for the command line: no list file, the masters given, the socket
// limit, time-out and retries of the options.
std::unique_ptr<CNetGameDoc> MakeDocument(const QueryOptions& options, CNetGameDoc::Kind kind,
                                          ServiceAddressList& services, bool progress, Losses& losses)
{
    CNetGameDoc::Setup setup;
    setup.useListFile = false;
    setup.services = &services;
    setup.resolveServices = false;
    setup.lanTarget = QHostAddress(QString::fromStdString(options.lanTarget));
    setup.lanFirstPort = quint16(options.portBase);
    auto doc = std::make_unique<CNetGameDoc>(kind, setup);
    doc->SetMaxInFlight(options.maxSockets);
    doc->SetTimeoutAndRetries(options.timeout, options.retries);
    doc->SetRefreshRunner(ProgressRunner(progress, losses));
    return doc;
}

std::string JsonText(const QJsonArray& array)
{
    return QJsonDocument(array).toJson(QJsonDocument::Indented).toStdString();
}

// Servers that could not be queried for want of a socket are failures of this
// program, not silent servers: they are named on standard error and make the exit
// code 1, whatever the others answered.
int ReportLosses(const Losses& losses, int total, int code, std::string& err)
{
    if (losses.socketsNotOpened <= 0)
        return code;
    err += std::to_string(losses.socketsNotOpened) + " of " + std::to_string(total) +
           " servers were not queried: no socket could be opened (open-file limit).\n";
    return kExitNoAnswer;
}

int RunServers(const QueryOptions& options, CNetGameDoc& doc, std::string& out, bool refresh)
{
    if (refresh)
        doc.StartRefresh(doc.Head(), ParamsFor(options));
    const bool withPlayers = options.players || options.command == QueryCommand::Players;
    const bool withRules = options.rules || options.command == QueryCommand::Rules;
    std::vector<const CServerInfo*> answered;
    for (const CServerInfo* r = doc.Head(); r; r = r->next)
        if (r->InfoTime() >= 0.0)
            answered.push_back(r);
    if (options.json) {
        QJsonArray array;
        for (const CServerInfo* r : answered)
            array.append(ServerJson(*r, withPlayers, withRules));
        out += JsonText(array);
    } else if (!answered.empty()) {
        out += ServerTable(answered);
        if (options.command == QueryCommand::Players)
            out += '\n' + PlayersTable(*answered[0]);
        if (options.command == QueryCommand::Rules)
            out += '\n' + RulesTable(*answered[0]);
    }
    return answered.empty() ? kExitNoAnswer : kExitSuccess;
}

} // namespace

int RunKestrelQuery(const QStringList& arguments, std::string& out, std::string& err, bool progress)
{
    if (IsModsCommand(arguments))
        return RunModsCommand(arguments, out, err, progress);
    QueryOptions options;
    std::string error;
    if (!ParseQueryOptions(arguments, options, error)) {
        err += "kestrel-query: " + error + '\n' + QueryUsage();
        return kExitBadArguments;
    }
    ServiceAddressList services;
    Losses losses;
    switch (options.command) {
    case QueryCommand::Info:
    case QueryCommand::Players:
    case QueryCommand::Rules: {
        options.maxSockets = 1;
        auto doc = MakeDocument(options, CNetGameDoc::Kind::Lan, services, false, losses);
        doc->AddServer(options.host, options.port);
        const int code = RunServers(options, *doc, out, true);
        if (code != kExitSuccess && losses.socketsNotOpened == 0)
            err += "No answer from " + options.host + ':' + std::to_string(options.port) + ".\n";
        return ReportLosses(losses, doc->Count(), code, err);
    }
    case QueryCommand::Master: {
        ListDocument doc;
        if (FetchList(options, doc, err) != MasterListRequest::kComplete)
            return kExitNoAnswer;
        if (options.json) {
            QJsonArray array;
            for (const MasterEntry& e : doc.entries)
                array.append(QJsonObject{{"address", QString::fromStdString(e.address)}, {"port", e.port}});
            out += JsonText(array);
        } else {
            std::vector<std::vector<std::string>> rows;
            for (const MasterEntry& e : doc.entries)
                rows.push_back({e.address, std::to_string(e.port)});
            out += AlignedTable({"ADDRESS", "PORT"}, rows);
        }
        return kExitSuccess;
    }
    case QueryCommand::Refresh: {
        services.AppendAddress(ServiceAddressList::Section::Master, options.host, uint16_t(options.port));
        auto doc = MakeDocument(options, CNetGameDoc::Kind::Internet, services, progress, losses);
        doc->StartMasterListWithText(options.filter);
        while (doc->MasterExchangeInProgress()) {
            WaitForNetworkEvents();
            doc->Work();
        }
        if (doc->Count() == 0 && doc->StatusText() == CNetGameDoc::kListFailedText) {
            err += "Couldn't get list of servers.\n";
            return kExitNoAnswer;
        }
        const int code = RunServers(options, *doc, out, true);
        if (code != kExitSuccess)
            err += "No server answered.\n";
        return ReportLosses(losses, doc->Count(), code, err);
    }
    case QueryCommand::Lan: {
        auto doc = MakeDocument(options, CNetGameDoc::Kind::Lan, services, progress, losses);
        doc->StartLanRefresh();
        while (doc->LanRefreshInProgress()) {
            WaitForNetworkEvents();
            doc->Work();
        }
        const int code = RunServers(options, *doc, out, false);
        if (code != kExitSuccess)
            err += "No server answered.\n";
        return ReportLosses(losses, doc->Count(), code, err);
    }
    }
    return kExitBadArguments;
}
