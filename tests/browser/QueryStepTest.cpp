// The query of one record against a fake game server on 127.0.0.1: states, retries,
// time-outs, ignored datagrams and the measured ping.
#include "browser/query/QueryStep.h"
#include "FakeGameServer.h"
#include "RecordingPrompt.h"
#include "app/settings/CommandLine.h"
#include "app/text/StringList.h"
#include "browser/query/BrowserClock.h"
#include "browser/query/CKSAsyncSocket.h"
#include "browser/record/CServerInfo.h"
#include "support/CommaLocale.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>

#include <arpa/inet.h>
#include <chrono>
#include <linux/sockios.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

const char* kInfo = "\\hostname\\Loopback Arena\\map\\ha_mill\\players\\2\\max\\8\\protocol\\45\\type\\d\\os\\l";

void Pump(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

double Seconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Runs the step until the record settles (plus the step that closes its socket).
bool RunToEnd(CServerInfo& r, const RefreshParams& p, QueryStepState& state, double limit = 5.0)
{
    const double end = Seconds() + limit;
    while (Seconds() < end) {
        RunQueryStep(r, p, state);
        if (r.status == CServerInfo::Failed || r.status == CServerInfo::Done) {
            RunQueryStep(r, p, state);
            return true;
        }
        Pump(1);
    }
    return false;
}

RefreshParams Fast(uint32_t flags = RefreshParams::kRequestInfo)
{
    RefreshParams p;
    p.maxInFlight = 4;
    p.maxRetries = 2;
    p.timeout = 0.25;
    p.flags = flags;
    return p;
}

std::unique_ptr<CServerInfo> RecordFor(const FakeGameServer& server)
{
    auto r = std::make_unique<CServerInfo>("127.0.0.1", server.Port());
    r->lastSend = BrowserClockNow();
    return r;
}

TEST(QueryStep, FullQueryFillsTheRecordAndClosesTheSocket)
{
    FakeGameServer server;
    server.infoReplies = {ReplyBuilder::Info(kInfo).Bytes()};
    server.playersReplies = {ReplyBuilder::Players({{"Ace", 10}, {"Bo", 3}}).Bytes()};
    server.rulesReplies = {ReplyBuilder::Rules({{"mp_timelimit", "20"}, {"sv_gravity", "800"}}).Bytes()};
    auto r = RecordFor(server);
    QueryStepState state;
    ASSERT_TRUE(RunToEnd(*r, Fast(2 | 4 | 8), state));
    EXPECT_EQ(r->status, CServerInfo::Done);
    EXPECT_EQ(r->name, "Loopback Arena");
    EXPECT_EQ(r->maxplayers, 8);
    ASSERT_TRUE(r->players);
    ASSERT_TRUE((*r->players)[1]);
    EXPECT_EQ((*r->players)[1]->name, "Bo");
    ASSERT_FALSE(r->rules.empty());
    EXPECT_EQ(r->rules.front().key, "sv_gravity");
    EXPECT_GT(r->svping, 0.0);
    EXPECT_FALSE(r->noresponse);
    EXPECT_EQ(r->Socket(), nullptr);
    EXPECT_EQ(state.openSockets, 0);
    EXPECT_EQ(state.statusText, FormatString(kMsgServerDone, "Loopback Arena"));
    EXPECT_EQ(server.infoRequests, 1);
    EXPECT_EQ(server.playersRequests, 1);
    EXPECT_EQ(server.rulesRequests, 1);
    EXPECT_EQ(server.lastClient, QHostAddress(QHostAddress::LocalHost));
}

TEST(QueryStep, HostNameIsResolvedBeforeTheInfoRequest)
{
    FakeGameServer server;
    server.infoReplies = {ReplyBuilder::Info(kInfo).Bytes()};
    CServerInfo r("localhost", server.Port());
    r.lastSend = BrowserClockNow();
    QueryStepState state;
    ASSERT_TRUE(RunToEnd(r, Fast(), state));
    EXPECT_EQ(r.status, CServerInfo::Done);
    EXPECT_EQ(r.name, "Loopback Arena");
    EXPECT_EQ(server.infoRequests, 1);
}

TEST(QueryStep, InfoOnlyQueryDoesNotAskForMore)
{
    FakeGameServer server;
    server.infoReplies = {ReplyBuilder::Info(kInfo).Bytes()};
    auto r = RecordFor(server);
    QueryStepState state;
    ASSERT_TRUE(RunToEnd(*r, Fast(), state));
    EXPECT_EQ(r->status, CServerInfo::Done);
    EXPECT_EQ(server.playersRequests, 0);
    EXPECT_EQ(server.rulesRequests, 0);
    EXPECT_FALSE(r->players);
}

TEST(QueryStepTimeouts, SilentServerFailsAfterTheRetries)
{
    FakeGameServer server; // never answers
    auto r = RecordFor(server);
    QueryStepState state;
    RefreshParams p = Fast();
    p.timeout = 0.05;
    const double start = Seconds();
    ASSERT_TRUE(RunToEnd(*r, p, state));
    const double took = Seconds() - start;
    EXPECT_EQ(r->status, CServerInfo::Failed);
    EXPECT_TRUE(r->noresponse);
    EXPECT_EQ(server.infoRequests, 3); // the request and two re-sends
    EXPECT_EQ(state.infoRetries, 2);
    EXPECT_GE(took, 3 * p.timeout);
    EXPECT_LT(took, 2.0);
    EXPECT_EQ(state.openSockets, 0);
}

TEST(QueryStepTimeouts, ClosedPortFailsAfterTheRetries)
{
    quint16 port = 0;
    {
        QUdpSocket probe;
        ASSERT_TRUE(probe.bind(QHostAddress(QHostAddress::LocalHost), 0));
        port = probe.localPort();
    }
    // Nothing listens there: the port-unreachable answers must not stop the retries.
    CServerInfo r("127.0.0.1", port);
    r.lastSend = BrowserClockNow();
    QueryStepState state;
    RefreshParams p = Fast();
    p.timeout = 0.05;
    ASSERT_TRUE(RunToEnd(r, p, state));
    EXPECT_EQ(r.status, CServerInfo::Failed);
    EXPECT_TRUE(r.noresponse);
    EXPECT_EQ(state.infoRetries, 2);
    EXPECT_EQ(state.openSockets, 0);
}

TEST(QueryStepTimeouts, NoRetriesFailsAfterOneTimeout)
{
    FakeGameServer server;
    auto r = RecordFor(server);
    QueryStepState state;
    RefreshParams p = Fast();
    p.timeout = 0.05;
    p.maxRetries = 0;
    ASSERT_TRUE(RunToEnd(*r, p, state));
    EXPECT_EQ(r->status, CServerInfo::Failed);
    EXPECT_EQ(server.infoRequests, 1);
}

TEST(QueryStepTimeouts, SilenceAfterTheInfoKeepsWhatArrived)
{
    FakeGameServer server;
    server.infoReplies = {ReplyBuilder::Info(kInfo).Bytes()};
    auto r = RecordFor(server);
    QueryStepState state;
    RefreshParams p = Fast(2 | 4);
    p.timeout = 0.05;
    ASSERT_TRUE(RunToEnd(*r, p, state));
    EXPECT_EQ(r->status, CServerInfo::Done);
    EXPECT_FALSE(r->noresponse);
    EXPECT_EQ(r->name, "Loopback Arena");
    EXPECT_EQ(server.playersRequests, 3);
}

TEST(QueryStepDatagrams, ForeignSenderCannotFillTheRecord)
{
    FakeGameServer server;
    server.infoReplies = {ReplyBuilder::Info(kInfo).Bytes()};
    server.delayMs = 100;
    auto r = RecordFor(server);
    QueryStepState state;
    const RefreshParams p = Fast();
    while (r->status != CServerInfo::InfoSent) {
        RunQueryStep(*r, p, state);
        ASSERT_NE(r->status, CServerInfo::Failed);
    }
    QUdpSocket intruder;
    const auto forged = ReplyBuilder::Info("\\hostname\\intruder\\max\\99").Bytes();
    intruder.writeDatagram(reinterpret_cast<const char*>(forged.data()), qint64(forged.size()),
                           QHostAddress(QHostAddress::LocalHost), r->Socket()->LocalPort());
    Pump(30);
    EXPECT_EQ(r->status, CServerInfo::InfoSent);
    ASSERT_TRUE(RunToEnd(*r, p, state));
    EXPECT_EQ(r->name, "Loopback Arena");
    EXPECT_EQ(r->maxplayers, 8);
}

TEST(QueryStepDatagrams, StaleAndMalformedRepliesAreIgnored)
{
    FakeGameServer server;
    ReplyBuilder junk;
    junk.Long(-1).String("garbage");
    // Before the info: junk. Before the players: a late copy of another info reply.
    server.infoReplies = {junk.Bytes(), ReplyBuilder::Info(kInfo).Bytes()};
    server.playersReplies = {ReplyBuilder::Info("\\hostname\\stale\\max\\1").Bytes(),
                             ReplyBuilder::Players({{"Ace", 1}, {"Bo", 2}}).Bytes()};
    auto r = RecordFor(server);
    QueryStepState state;
    ASSERT_TRUE(RunToEnd(*r, Fast(2 | 4), state));
    EXPECT_EQ(r->status, CServerInfo::Done);
    EXPECT_EQ(r->name, "Loopback Arena");
    EXPECT_EQ(r->maxplayers, 8);
    ASSERT_TRUE(r->players && (*r->players)[0]);
    EXPECT_EQ((*r->players)[0]->name, "Ace");
    EXPECT_EQ(server.infoRequests, 1);
    EXPECT_EQ(server.playersRequests, 1);
}

TEST(QueryStepDatagrams, PingReflectsTheReplyDelay)
{
    FakeGameServer server;
    server.infoReplies = {ReplyBuilder::Info(kInfo).Bytes()};
    server.delayMs = 80;
    auto r = RecordFor(server);
    QueryStepState state;
    const RefreshParams p = Fast();
    while (r->status != CServerInfo::InfoSent)
        RunQueryStep(*r, p, state);
    const double sent = r->lastSend;
    ASSERT_TRUE(RunToEnd(*r, p, state));
    ASSERT_EQ(r->status, CServerInfo::Done);
    EXPECT_GE(r->svping, 0.079);
    // However late the server's timer fired, the ping is its reply time plus only the
    // few milliseconds the datagram takes to reach the record.
    EXPECT_LE(r->svping, server.lastReplySent - sent + 0.005);
}

// A server the test answers by hand, so a reply can wait in the record's socket while
// the browser is busy elsewhere.
class ManualServer
{
public:
    ManualServer() { bound = socket.bind(QHostAddress(QHostAddress::LocalHost), 0); }
    // Waits for one request and answers it with an info reply.
    bool AnswerOne()
    {
        if (!socket.waitForReadyRead(2000))
            return false;
        char request[64];
        if (socket.readDatagram(request, sizeof request, &from, &fromPort) < 0)
            return false;
        return AnswerAgain();
    }
    // Waits for one request and leaves it unanswered for now.
    bool ReadOne()
    {
        if (!socket.waitForReadyRead(2000))
            return false;
        char request[64];
        return socket.readDatagram(request, sizeof request, &from, &fromPort) >= 0;
    }
    // Sends the info reply once more to whoever asked last.
    bool AnswerAgain()
    {
        const auto reply = ReplyBuilder::Info(kInfo).Bytes();
        return socket.writeDatagram(reinterpret_cast<const char*>(reply.data()), qint64(reply.size()), from,
                                    fromPort) == qint64(reply.size());
    }
    QUdpSocket socket;
    QHostAddress from;
    quint16 fromPort = 0;
    bool bound = false;
};

// True once a datagram waits in the record's socket (no event is handled meanwhile).
bool ReplyWaiting(const CServerInfo& r)
{
    pollfd fd{int(r.Socket()->Descriptor()), POLLIN, 0};
    return poll(&fd, 1, 2000) == 1;
}

// Keeps the browser away from its sockets for the given time, as a long pass would.
void BusyFor(double seconds)
{
    const double end = BrowserClockNow() + seconds;
    while (BrowserClockNow() < end) {
    }
}

// The kernel switches arrival stamps on for the whole system a moment after a socket
// first asks for one; until then datagrams arrive unstamped. Exchanges datagrams on a
// socket of its own until one comes with its stamp (false when the kernel never stamps).
bool KernelStampsArrivals()
{
    const int receiver = socket(AF_INET, SOCK_DGRAM, 0);
    const int sender = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bool stamped = false;
    if (receiver >= 0 && sender >= 0 && bind(receiver, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(receiver, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        timeval stamp{};
        ioctl(receiver, SIOCGSTAMP, &stamp);
        for (int attempt = 0; attempt < 40 && !stamped; ++attempt) {
            char byte = 0;
            sendto(sender, &byte, 1, 0, reinterpret_cast<sockaddr*>(&address), sizeof address);
            pollfd fd{receiver, POLLIN, 0};
            if (poll(&fd, 1, 1000) == 1 && recv(receiver, &byte, 1, 0) == 1)
                stamped = ioctl(receiver, SIOCGSTAMP, &stamp) == 0 && stamp.tv_sec != 0;
            if (!stamped)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    if (receiver >= 0)
        close(receiver);
    if (sender >= 0)
        close(sender);
    return stamped;
}

TEST(QueryStepDatagrams, PingIsTakenWhenTheReplyArrivedNotWhenItWasRead)
{
    if (!KernelStampsArrivals())
        GTEST_SKIP() << "this kernel gives datagrams no arrival stamps";
    ManualServer server;
    ASSERT_TRUE(server.bound);
    CServerInfo r("127.0.0.1", server.socket.localPort());
    r.lastSend = BrowserClockNow();
    QueryStepState state;
    const RefreshParams p = Fast();
    while (r.status != CServerInfo::InfoSent)
        RunQueryStep(r, p, state);
    ASSERT_TRUE(server.AnswerOne());
    ASSERT_TRUE(ReplyWaiting(r));
    BusyFor(0.1);
    ASSERT_TRUE(RunToEnd(r, p, state));
    ASSERT_EQ(r.status, CServerInfo::Done);
    EXPECT_GT(r.svping, 0.0);
    EXPECT_LT(r.svping, 0.05);
}

TEST(QueryStepDatagrams, ReplyWaitingAcrossAResendGivesNoNegativePing)
{
    ManualServer server;
    ASSERT_TRUE(server.bound);
    CServerInfo r("127.0.0.1", server.socket.localPort());
    r.lastSend = BrowserClockNow();
    QueryStepState state;
    RefreshParams p = Fast();
    p.timeout = 0.05;
    while (r.status != CServerInfo::InfoSent)
        RunQueryStep(r, p, state);
    ASSERT_TRUE(server.AnswerOne());
    ASSERT_TRUE(ReplyWaiting(r));
    // The time-out comes before the waiting reply is read: the request is sent again.
    BusyFor(p.timeout + 0.02);
    RunQueryStep(r, p, state);
    ASSERT_EQ(state.infoRetries, 1);
    ASSERT_TRUE(RunToEnd(r, p, state));
    ASSERT_EQ(r.status, CServerInfo::Done);
    EXPECT_GE(r.svping, 0.0);
}

TEST(QueryStepDatagrams, ASocketTakenAgainDropsTheLateReplyOfItsPreviousServer)
{
    ManualServer first;
    ManualServer second;
    ASSERT_TRUE(first.bound && second.bound);
    QueryStepState state;
    const RefreshParams p = Fast();
    CServerInfo a("127.0.0.1", first.socket.localPort());
    a.lastSend = BrowserClockNow();
    while (a.status != CServerInfo::InfoSent)
        RunQueryStep(a, p, state);
    const int descriptor = a.Socket()->Descriptor();
    ASSERT_TRUE(first.AnswerOne());
    ASSERT_TRUE(RunToEnd(a, p, state));
    ASSERT_EQ(a.status, CServerInfo::Done);
    ASSERT_EQ(a.Socket(), nullptr);

    // Copies of the reply reach the socket after its record gave it back, and wait
    // there (no event is handled) until the next record takes the socket: a server
    // can send many more than one.
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(first.AnswerAgain());
    pollfd fd{descriptor, POLLIN, 0};
    ASSERT_EQ(poll(&fd, 1, 2000), 1);
    CServerInfo b("127.0.0.1", second.socket.localPort());
    b.lastSend = BrowserClockNow();
    while (b.status != CServerInfo::InfoSent)
        RunQueryStep(b, p, state);
    ASSERT_EQ(b.Socket()->Descriptor(), descriptor);
    Pump(30);
    EXPECT_EQ(b.status, CServerInfo::InfoSent);
    EXPECT_EQ(b.name, "?");
    // Its own server's reply is taken.
    ASSERT_TRUE(second.AnswerOne());
    ASSERT_TRUE(RunToEnd(b, p, state));
    EXPECT_EQ(b.name, "Loopback Arena");
}

TEST(QueryStepDatagrams, AQueryStartedAgainDropsTheLateReplyToTheEarlierOne)
{
    ManualServer server;
    ASSERT_TRUE(server.bound);
    QueryStepState state;
    const RefreshParams p = Fast();
    CServerInfo r("127.0.0.1", server.socket.localPort());
    r.lastSend = BrowserClockNow();
    while (r.status != CServerInfo::InfoSent)
        RunQueryStep(r, p, state);
    ASSERT_TRUE(server.ReadOne());

    // The query starts over (a new refresh) before the server answers the first one.
    r.CloseSocket();
    --state.openSockets;
    r.status = CServerInfo::Idle;
    r.retries = 0;
    r.lastSend = BrowserClockNow();
    while (r.status != CServerInfo::InfoSent)
        RunQueryStep(r, p, state);
    // The answer to the first request comes now: it does not answer the new one.
    ASSERT_TRUE(server.AnswerAgain());
    Pump(30);
    EXPECT_EQ(r.status, CServerInfo::InfoSent);
    EXPECT_EQ(r.name, "?");
    ASSERT_TRUE(server.AnswerOne());
    ASSERT_TRUE(RunToEnd(r, p, state));
    EXPECT_EQ(r.name, "Loopback Arena");
}

class FixedClock
{
public:
    explicit FixedClock(double t) : now(t)
    {
        SetBrowserClock([this] { return now; });
    }
    ~FixedClock() { SetBrowserClock({}); }
    double now;
};

TEST(QueryStepEvents, DatagramWhileNotWaitingOnlyTouchesTimes)
{
    FixedClock clock(100.0);
    CServerInfo r("127.0.0.1", 9);
    ASSERT_TRUE(r.CreateSocket());
    r.status = CServerInfo::Connected;
    r.lastSend = 99.75;
    ReplyBuilder::Info(kInfo).LoadInto(r.Socket()->Buffer());
    r.Socket()->OnReceive(0);
    EXPECT_EQ(r.status, CServerInfo::Connected);
    EXPECT_EQ(r.name, "?");
    EXPECT_DOUBLE_EQ(r.svping, 0.25);
    EXPECT_FLOAT_EQ(CKSAsyncSocket::LastReplyTime(), 100.0f);

    clock.now = 101.0;
    r.status = CServerInfo::Failed;
    r.svping = 0.0;
    r.Socket()->OnReceive(0);
    EXPECT_EQ(r.svping, 0.0);
    EXPECT_FLOAT_EQ(CKSAsyncSocket::LastReplyTime(), 101.0f);
}

TEST(QueryStepEvents, NetworkDownIsReportedAndKeepsTheState)
{
    RecordingPrompt prompt;
    ScopedPrompt scoped(prompt);
    CServerInfo r("127.0.0.1", 9);
    ASSERT_TRUE(r.CreateSocket());
    r.status = CServerInfo::InfoSent;
    CServerInfo other("127.0.0.1", 10);
    ASSERT_TRUE(other.CreateSocket());
    ReplyBuilder::Info(kInfo).LoadInto(r.Socket()->Buffer());
    r.Socket()->OnReceive(CKSAsyncSocket::kWsaeNetDown);
    // Not inside the read (a prompt's own event loop could close the socket there),
    // and once for every socket that finds the network down at the same moment.
    EXPECT_TRUE(prompt.texts.empty());
    other.Socket()->OnReceive(CKSAsyncSocket::kWsaeNetDown);
    Pump(10);
    ASSERT_EQ(prompt.texts.size(), 1u);
    EXPECT_EQ(prompt.texts[0], GetString(CKSAsyncSocket::kMsgNetworkDown));
    EXPECT_EQ(r.status, CServerInfo::InfoSent);
    EXPECT_EQ(r.name, "?");
}

TEST(QueryStepScheduling, SkippedAndWaitingRecords)
{
    FixedClock clock(50.0);
    QueryStepState state;
    RefreshParams p = Fast();
    for (bool CServerInfo::*flag : {&CServerInfo::lan, &CServerInfo::filtered, &CServerInfo::ipx}) {
        CServerInfo r("127.0.0.1", 9);
        r.*flag = true;
        EXPECT_FALSE(RunQueryStep(r, p, state));
        EXPECT_EQ(r.status, CServerInfo::Idle);
        EXPECT_EQ(r.Socket(), nullptr);
    }
    CServerInfo waiting("127.0.0.1", 9);
    waiting.lastSend = 49.9;
    state.openSockets = p.maxInFlight;
    p.showNames = true;
    EXPECT_TRUE(RunQueryStep(waiting, p, state));
    EXPECT_EQ(waiting.status, CServerInfo::Idle);
    EXPECT_EQ(waiting.lastSend, 50.0);
    EXPECT_EQ(waiting.Socket(), nullptr);
    EXPECT_EQ(state.statusText, FormatString(kMsgContacting, "?"));
    EXPECT_EQ(state.lastProgressDisplay, -1.0);
}

class ScopedCommandLine
{
public:
    explicit ScopedCommandLine(const std::string& text) : m_saved(EffectiveCommandLine())
    {
        EffectiveCommandLine() = CommandLine(text);
    }
    ~ScopedCommandLine() { EffectiveCommandLine() = m_saved; }

private:
    CommandLine m_saved;
};

TEST(RefreshDefaults, TimeoutAndRetriesFromTheCommandLine)
{
    {
        ScopedCommandLine cl("kestrel -game vrel");
        EXPECT_EQ(DefaultQueryTimeout(), 2.0);
        EXPECT_EQ(DefaultQueryRetries(), 3);
    }
    {
        ScopedCommandLine cl("kestrel -timeout 0.75 -retries 5");
        EXPECT_EQ(DefaultQueryTimeout(), 0.75);
        EXPECT_EQ(DefaultQueryRetries(), 5);
    }
    {
        ScopedCommandLine cl("kestrel -timeout junk -retries -4");
        EXPECT_EQ(DefaultQueryTimeout(), 2.0);
        EXPECT_EQ(DefaultQueryRetries(), 3);
    }
    {
        ScopedCommandLine cl("kestrel -retries 0 -timeout 0");
        EXPECT_EQ(DefaultQueryRetries(), 0);
        EXPECT_EQ(DefaultQueryTimeout(), 2.0);
    }
}

// The command line is the same text whatever the user's locale: "1.5" stays one and a
// half seconds under a locale that writes 1,5.
TEST(RefreshDefaults, FractionalTimeoutUnderACommaLocale)
{
    ScopedCommaLocale comma;
    if (!comma.Active())
        GTEST_SKIP() << ScopedCommaLocale::kMissing;
    ScopedCommandLine cl("kestrel -timeout 1.5 -retries 2");
    EXPECT_EQ(DefaultQueryTimeout(), 1.5);
    EXPECT_EQ(DefaultQueryRetries(), 2);
}

} // namespace
