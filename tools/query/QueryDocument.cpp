#include "query/QueryDocument.h"

#include "app/text/ServiceAddressList.h"
#include "browser/list/RefreshEngine.h"
#include "browser/list/RefreshLoop.h"
#include "browser/query/BrowserClock.h"
#include "browser/query/CKSAsyncSocket.h"
#include "query/QueryRunner.h"

#include <QHostAddress>

#include <cstdio>

namespace {

constexpr double kProgressInterval = 0.25;
// The engine's own stop after silence is left to the run loop below.
constexpr double kNoEngineIdleStop = 1e9;
// Beyond the last time-out: the pass that sees it and the re-send's way out.
constexpr double kIdleMargin = 1.0;

// Runs the refresh to its end, stopping early only when nothing has happened (a
// reply, a server settled) for the idle time. A record starts only when the refresh
// begins or another settles, so each of its waits begins at such an event.
CNetGameDoc::RefreshRunner ProgressRunner(bool progress, double idle, Losses& losses)
{
    return [progress, idle, &losses](RefreshEngine& engine) {
        double lastProgress = -1.0;
        const double start = engine.StartTime();
        double lastActivity = start;
        float lastReply = CKSAsyncSocket::LastReplyTime();
        int unsettled = engine.Unsettled();
        for (;;) {
            const bool more = engine.RunPass();
            const double now = BrowserClockNow();
            if (CKSAsyncSocket::LastReplyTime() != lastReply || engine.Unsettled() != unsettled) {
                lastReply = CKSAsyncSocket::LastReplyTime();
                unsettled = engine.Unsettled();
                lastActivity = now;
            }
            if (progress && now - lastProgress >= kProgressInterval) {
                lastProgress = now;
                std::fprintf(stderr, "\r%d pending, %.1f s ", engine.Pending(), now - start);
            }
            if (!more || now - lastActivity > idle)
                break;
            WaitForRefreshEvents(engine);
        }
        if (progress)
            std::fprintf(stderr, "\rQueried in %.1f s.              \n", BrowserClockNow() - start);
        losses.socketsNotOpened += engine.State().socketsNotOpened;
    };
}

} // namespace

double IdleTimeoutFor(const QueryOptions& options)
{
    return double(options.retries + 1) * options.timeout + kIdleMargin;
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
    p.idleTimeout = kNoEngineIdleStop;
    return p;
}

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
    doc->SetIdleTimeout(kNoEngineIdleStop);
    doc->SetRefreshRunner(ProgressRunner(progress, IdleTimeoutFor(options), losses));
    return doc;
}

int ReportLosses(const Losses& losses, int total, int code, std::string& err)
{
    if (losses.socketsNotOpened <= 0)
        return code;
    err += std::to_string(losses.socketsNotOpened) + " of " + std::to_string(total) +
           " servers were not queried: no socket could be opened (open-file limit).\n";
    return kExitNoAnswer;
}
