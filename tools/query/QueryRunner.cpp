#include "query/QueryRunner.h"

#include "app/ServiceAddressList.h"
#include "browser/BrowserClock.h"
#include "browser/CKSAsyncSocket.h"
#include "browser/CServerInfo.h"
#include "browser/MasterDocument.h"
#include "browser/MasterListRequest.h"
#include "browser/QueryStep.h"
#include "query/ServerReport.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <set>
#include <vector>

namespace {

using Records = std::vector<std::unique_ptr<CServerInfo>>;
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

// Queries every record as the refresh engine does: bounded sockets, and an early end
// when the stragglers have been silent for the idle time-out.
void RefreshAll(Records& records, const RefreshParams& params, bool progress)
{
    const double start = BrowserClockNow();
    for (auto& r : records) {
        r->CloseSocket();
        r->FreePlayers();
        r->lastSend = start;
        r->noresponse = false;
        r->status = CServerInfo::Idle;
        r->retries = 0;
    }
    CKSAsyncSocket::SetLastReplyTime(float(start));
    QueryStepState state;
    double lastProgress = -1.0;
    for (;;) {
        int pending = 0;
        for (auto& r : records)
            pending += RunQueryStep(*r, params, state) ? 1 : 0;
        const double now = BrowserClockNow();
        if (progress && now - lastProgress >= kProgressInterval) {
            lastProgress = now;
            std::fprintf(stderr, "\r%zu servers, %d pending, %.1f s ", records.size(), pending, now - start);
        }
        if (pending == 0)
            break;
        if (pending < params.maxInFlight && now - double(CKSAsyncSocket::LastReplyTime()) > params.idleTimeout)
            break;
        Wait();
    }
    for (auto& r : records)
        r->CloseSocket();
    if (progress)
        std::fprintf(stderr, "\r%zu servers queried in %.1f s.      \n", records.size(), BrowserClockNow() - start);
}

std::string JsonText(const QJsonArray& array)
{
    return QJsonDocument(array).toJson(QJsonDocument::Indented).toStdString();
}

int RunServers(const QueryOptions& options, Records& records, std::string& out, bool progress)
{
    RefreshAll(records, ParamsFor(options), progress);
    const bool withPlayers = options.players || options.command == QueryCommand::Players;
    const bool withRules = options.rules || options.command == QueryCommand::Rules;
    std::vector<const CServerInfo*> answered;
    for (const auto& r : records)
        if (r->InfoTime() >= 0.0)
            answered.push_back(r.get());
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
    QueryOptions options;
    std::string error;
    if (!ParseQueryOptions(arguments, options, error)) {
        err += "kestrel-query: " + error + '\n' + QueryUsage();
        return kExitBadArguments;
    }
    Records records;
    switch (options.command) {
    case QueryCommand::Info:
    case QueryCommand::Players:
    case QueryCommand::Rules: {
        options.maxSockets = 1;
        records.push_back(std::make_unique<CServerInfo>(options.host, options.port));
        const int code = RunServers(options, records, out, false);
        if (code != kExitSuccess)
            err += "No answer from " + options.host + ':' + std::to_string(options.port) + ".\n";
        return code;
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
        ListDocument doc;
        if (FetchList(options, doc, err) != MasterListRequest::kComplete)
            return kExitNoAnswer;
        for (const MasterEntry& e : doc.entries)
            records.push_back(std::make_unique<CServerInfo>(e.address, e.port));
        const int code = RunServers(options, records, out, progress);
        if (code != kExitSuccess)
            err += "No server answered.\n";
        return code;
    }
    }
    return kExitBadArguments;
}
