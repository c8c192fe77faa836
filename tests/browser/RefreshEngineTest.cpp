// The refresh engine over real sockets on 127.0.0.1: when a refresh ends, what it
// leaves, the order in which records are started, and that it does what a pass over
// the whole list does.
#include "browser/list/RefreshEngine.h"
#include "browser/query/QuerySocketPool.h"
#include "FakeGameServer.h"
#include "browser/list/RefreshLoop.h"
#include "browser/list/RefreshPass.h"
#include "browser/list/ServerRecordList.h"
#include "browser/query/BrowserClock.h"
#include "browser/record/CServerInfo.h"
#include "platform/SystemInfo.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const char* kInfo = "\\hostname\\Engine\\gamedir\\vrel\\max\\8\\protocol\\45";

// A clock the test moves: passes see time go by without waiting for it. Steps are
// powers of two, so sums stay exact.
class ManualClock
{
public:
    ManualClock()
    {
        SetBrowserClock([this] { return now; });
    }
    ~ManualClock() { SetBrowserClock(nullptr); }
    double now = 1000.0;
};

constexpr double kTick = 0.125;

RefreshParams Params(int maxInFlight, double timeout, int retries)
{
    RefreshParams p;
    p.maxInFlight = maxInFlight;
    p.timeout = timeout;
    p.maxRetries = retries;
    p.flags = RefreshParams::kRequestInfo;
    p.idleTimeout = RefreshParams::kDefaultIdleTimeout;
    return p;
}

// Passes with the manual clock; socket events are handled between passes.
int RunWithClock(RefreshEngine& engine, ManualClock& clock, int maxPasses = 100000)
{
    int passes = 0;
    while (passes < maxPasses) {
        ++passes;
        if (!engine.RunPass())
            break;
        QCoreApplication::processEvents();
        clock.now += kTick;
    }
    return passes;
}

// Lets the fake servers take what was sent last.
void DrainEvents()
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 50)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

std::vector<CServerInfo*> Records(const ServerRecordList& list)
{
    std::vector<CServerInfo*> records;
    for (CServerInfo* r = list.Head(); r; r = r->next)
        records.push_back(r);
    return records;
}

} // namespace

TEST(RefreshEngine, ThreeAnsweringServersEndAsSoonAsAllAreDone)
{
    FakeGameServer server;
    server.infoReplies = {ReplyBuilder::Info(kInfo).Bytes()};
    ServerRecordList list;
    for (int i = 0; i < 3; ++i)
        list.AddServer("127.0.0.1", server.Port(), true);
    RefreshEngine engine;
    engine.Begin(list.Head(), Params(15, 2.0, 3));
    QElapsedTimer timer;
    timer.start();
    RunRefreshToEnd(engine);
    EXPECT_LT(timer.elapsed(), 1500); // far below the idle time-out of 7.5 s
    EXPECT_FALSE(engine.Running());
    EXPECT_EQ(engine.Pending(), 0);
    for (CServerInfo* r : Records(list)) {
        EXPECT_EQ(r->status, CServerInfo::Done);
        EXPECT_EQ(r->name, "Engine");
        EXPECT_GT(r->svping, 0.0);
        EXPECT_EQ(r->Socket(), nullptr); // given back when the refresh ended
    }
    EXPECT_EQ(server.infoRequests, 3);
    EXPECT_EQ(engine.State().openSockets, 0);
}

TEST(RefreshEngine, HundredSilentServersEndAfterTheIdleTimeOut)
{
    ManualClock clock;
    FakeGameServer silent;
    ServerRecordList list;
    for (int i = 0; i < 100; ++i)
        list.AddServer("127.0.0.1", silent.Port(), true);
    RefreshEngine engine;
    engine.Begin(list.Head(), Params(15, 2.0, 3));
    const double start = clock.now;
    RunWithClock(engine, clock);
    ASSERT_FALSE(engine.Running());
    // Six groups of 15 fail 8 s apart; the last 10 are still pending when more than
    // 7.5 s have passed without a reply and fewer than 15 are pending.
    EXPECT_EQ(engine.Pending(), 10);
    const auto records = Records(list);
    const auto failed = std::count_if(records.begin(), records.end(),
                                      [](CServerInfo* r) { return r->status == CServerInfo::Failed && r->noresponse; });
    EXPECT_EQ(failed, 90);
    for (size_t i = 90; i < records.size(); ++i)
        EXPECT_EQ(records[i]->status, CServerInfo::InfoSent) << i; // they keep their state
    EXPECT_GE(clock.now - start, 6 * 8.0);
    EXPECT_LT(clock.now - start, 6 * 8.0 + 1.0);
    DrainEvents();
    EXPECT_EQ(silent.infoRequests, 90 * 4 + 10 * 1);
}

TEST(RefreshEngine, RecordWaitingForASocketDoesNotRunDownItsTimeOut)
{
    ManualClock clock;
    FakeGameServer silent;
    ServerRecordList list;
    for (int i = 0; i < 12; ++i)
        list.AddServer("127.0.0.1", silent.Port(), true);
    RefreshParams p = Params(4, 2.0, 0);
    p.idleTimeout = 100.0; // only the records' own time-outs end this refresh
    RefreshEngine engine;
    engine.Begin(list.Head(), p);
    const double start = clock.now;
    RunWithClock(engine, clock);
    DrainEvents();
    // Each record sent its request once and waited its full time-out: three groups
    // of four, 2 s each.
    EXPECT_EQ(silent.infoRequests, 12);
    for (CServerInfo* r : Records(list)) {
        EXPECT_EQ(r->status, CServerInfo::Failed);
        EXPECT_EQ(r->retries, 1);
    }
    EXPECT_GE(clock.now - start, 3 * 2.0);
}

TEST(RefreshEngine, RecordsAreStartedInListOrder)
{
    FakeGameServer server;
    server.infoReplies = {ReplyBuilder::Info(kInfo).Bytes()};
    ServerRecordList list;
    for (int i = 0; i < 20; ++i)
        list.AddServer("127.0.0.1", server.Port(), true);
    const std::vector<CServerInfo*> records = Records(list);
    RefreshEngine engine;
    engine.Begin(list.Head(), Params(4, 2.0, 3));
    std::vector<CServerInfo*> started;
    int maxOpen = 0;
    while (engine.RunPass()) {
        maxOpen = std::max(maxOpen, engine.State().openSockets);
        for (CServerInfo* r : records)
            if (r->status != CServerInfo::Idle && std::find(started.begin(), started.end(), r) == started.end())
                started.push_back(r);
        WaitForNetworkEvents();
    }
    EXPECT_EQ(started, records);
    EXPECT_LE(maxOpen, 4);
    EXPECT_EQ(server.infoRequests, 20);
}

TEST(RefreshEngine, SettlesLikeAPassOverTheWholeList)
{
    // The same silent list under both schedulers and the same clock: the same pass
    // ends the refresh, with the same pending count and record states.
    FakeGameServer silent;
    auto build = [&](ServerRecordList& list) {
        for (int i = 0; i < 37; ++i)
            list.AddServer("127.0.0.1", silent.Port(), true)->lan = (i % 11 == 5);
    };
    const RefreshParams p = Params(6, 1.0, 2);

    ServerRecordList a;
    build(a);
    int passesA = 0;
    int pendingA = 0;
    {
        ManualClock clock;
        QueryStepState state;
        BeginRefresh(a.Head(), p, state);
        for (;;) {
            ++passesA;
            const RefreshPassResult result = RunRefreshPass(a.Head(), p, state);
            pendingA = result.pending;
            if (result.stop)
                break;
            QCoreApplication::processEvents();
            clock.now += kTick;
        }
    }
    ServerRecordList b;
    build(b);
    int passesB = 0;
    {
        ManualClock clock;
        RefreshEngine engine;
        engine.Begin(b.Head(), p);
        passesB = RunWithClock(engine, clock);
        EXPECT_EQ(engine.Pending(), pendingA);
    }
    EXPECT_EQ(passesB, passesA);
    const auto ra = Records(a);
    const auto rb = Records(b);
    ASSERT_EQ(ra.size(), rb.size());
    for (size_t i = 0; i < ra.size(); ++i) {
        EXPECT_EQ(rb[i]->status, ra[i]->status) << i;
        EXPECT_EQ(rb[i]->retries, ra[i]->retries) << i;
        EXPECT_EQ(rb[i]->noresponse, ra[i]->noresponse) << i;
    }
}

TEST(RefreshEngine, FilteredLanAndIpxRecordsAreLeftAlone)
{
    FakeGameServer server;
    server.infoReplies = {ReplyBuilder::Info(kInfo).Bytes()};
    ServerRecordList list;
    CServerInfo* hidden = list.AddServer("127.0.0.1", server.Port(), true);
    CServerInfo* lanOnly = list.AddServer("127.0.0.1", server.Port(), true);
    CServerInfo* ipx = list.AddServer("127.0.0.1", server.Port(), true);
    CServerInfo* good = list.AddServer("127.0.0.1", server.Port(), true);
    hidden->SetFiltered(true);
    hidden->status = CServerInfo::Failed;
    lanOnly->lan = true;
    lanOnly->status = CServerInfo::Failed;
    ipx->ipx = true;
    RefreshEngine engine;
    engine.Begin(list.Head(), Params(4, 2.0, 3));
    RunRefreshToEnd(engine);
    EXPECT_EQ(good->status, CServerInfo::Done);
    EXPECT_EQ(hidden->status, CServerInfo::Failed);
    EXPECT_EQ(lanOnly->status, CServerInfo::Failed);
    EXPECT_EQ(ipx->status, CServerInfo::Idle); // reset, but never queried
    EXPECT_EQ(server.infoRequests, 1);
}

TEST(RefreshEngine, ChangedRecordsAreReportedOncePerBatch)
{
    FakeGameServer server;
    server.infoReplies = {ReplyBuilder::Info(kInfo).Bytes()};
    ServerRecordList list;
    for (int i = 0; i < 5; ++i)
        list.AddServer("127.0.0.1", server.Port(), true);
    RefreshEngine engine;
    int callbacks = 0;
    std::vector<CServerInfo*> seen;
    engine.SetChangedCallback([&] {
        ++callbacks;
        const auto changed = engine.TakeChanged();
        for (CServerInfo* r : changed)
            EXPECT_EQ(std::count(changed.begin(), changed.end(), r), 1);
        seen.insert(seen.end(), changed.begin(), changed.end());
    });
    engine.Begin(list.Head(), Params(4, 2.0, 3));
    RunRefreshToEnd(engine);
    EXPECT_GT(callbacks, 0);
    for (CServerInfo* r : Records(list))
        EXPECT_GE(std::count(seen.begin(), seen.end(), r), 1);
    EXPECT_TRUE(engine.TakeChanged().empty());
}

TEST(RefreshEngine, ForgottenRecordIsNotTouchedAgain)
{
    FakeGameServer silent;
    ServerRecordList list;
    for (int i = 0; i < 6; ++i)
        list.AddServer("127.0.0.1", silent.Port(), true);
    RefreshEngine engine;
    engine.Begin(list.Head(), Params(4, 0.05, 0));
    engine.RunPass();
    CServerInfo* victim = list.Head()->next;
    engine.Forget(victim);
    list.RemoveServer(victim);
    RunRefreshToEnd(engine);
    EXPECT_EQ(engine.Unsettled(), 0);
    EXPECT_EQ(engine.State().openSockets, 0);
    for (CServerInfo* r : Records(list))
        EXPECT_EQ(r->status, CServerInfo::Failed);
}

TEST(RefreshEngine, CancelLeavesRecordsAsTheyAre)
{
    FakeGameServer silent;
    ServerRecordList list;
    CServerInfo* r = list.AddServer("127.0.0.1", silent.Port());
    RefreshEngine engine;
    engine.Begin(list.Head(), Params(4, 10.0, 3));
    engine.RunPass();
    ASSERT_EQ(r->status, CServerInfo::InfoSent);
    engine.Cancel();
    EXPECT_FALSE(engine.Running());
    EXPECT_FALSE(engine.RunPass());
    EXPECT_EQ(r->status, CServerInfo::InfoSent);
    EXPECT_NE(r->Socket(), nullptr);
}

TEST(RefreshEngine, PassesDoNotVisitRecordsThatWait)
{
    // A long list behind a few sockets: each pass steps the record at the cursor and
    // the records with something due, never the whole list.
    ManualClock clock;
    FakeGameServer silent;
    ServerRecordList list;
    for (int i = 0; i < 2000; ++i)
        list.AddServer("127.0.0.1", silent.Port(), true);
    RefreshEngine engine;
    engine.Begin(list.Head(), Params(4, 60.0, 0));
    constexpr int kPasses = 200;
    for (int i = 0; i < kPasses; ++i) {
        ASSERT_TRUE(engine.RunPass());
        QCoreApplication::processEvents();
        clock.now += kTick;
    }
    EXPECT_EQ(engine.State().openSockets, 4);
    EXPECT_EQ(engine.Pending(), 2000);
    EXPECT_LE(engine.StepsRun(), uint64_t(kPasses + 8)); // a pass over the list: 400,000
}

namespace {

// The lowest descriptor number not in use: with the open-file limit there, no
// descriptor can be opened (the event loop still polls those open).
int LowestFreeDescriptor()
{
    const int fd = fcntl(0, F_DUPFD, 0);
    close(fd);
    return fd;
}

// Sets this process's open-file limit for as long as it lives.
class OpenFileLimit
{
public:
    explicit OpenFileLimit(int soft)
    {
        getrlimit(RLIMIT_NOFILE, &m_saved);
        rlimit lowered = m_saved;
        lowered.rlim_cur = rlim_t(soft);
        m_set = setrlimit(RLIMIT_NOFILE, &lowered) == 0;
    }
    ~OpenFileLimit() { setrlimit(RLIMIT_NOFILE, &m_saved); }
    bool Set() const { return m_set; }

private:
    rlimit m_saved{};
    bool m_set = false;
};

} // namespace

TEST(RefreshEngine, SocketsInFlightFitTheDescriptorsLeft)
{
    EXPECT_EQ(RefreshEngine::FitInFlight(40, 1000), 40);
    EXPECT_EQ(RefreshEngine::FitInFlight(40, 20), 20 - RefreshEngine::kDescriptorReserve);
    EXPECT_EQ(RefreshEngine::FitInFlight(40, 3), 1);

    // 30 servers, 40 sockets asked for, 12 descriptors left: every server is queried.
    FakeGameServer server;
    server.infoReplies = {ReplyBuilder::Info(kInfo).Bytes()};
    ServerRecordList list;
    for (int i = 0; i < 30; ++i)
        list.AddServer("127.0.0.1", server.Port(), true);
    RefreshEngine engine;
    // Sockets left waiting by earlier queries would be taken first.
    QuerySocketPool::ForThread().CloseIdle();
    {
        // The descriptors open now and 12 more.
        const OpenFileLimit limit(SocketLimit() - FreeDescriptors() + 12);
        ASSERT_TRUE(limit.Set());
        engine.Begin(list.Head(), Params(40, 2.0, 3));
        RunRefreshToEnd(engine);
    }
    EXPECT_EQ(engine.Params().maxInFlight, 12 - RefreshEngine::kDescriptorReserve);
    EXPECT_EQ(engine.State().socketsNotOpened, 0);
    for (CServerInfo* r : Records(list))
        EXPECT_EQ(r->status, CServerInfo::Done);
}

TEST(RefreshEngine, AServerWhoseSocketCannotBeOpenedCountsAsFailed)
{
    FakeGameServer server;
    server.infoReplies = {ReplyBuilder::Info(kInfo).Bytes()};
    ServerRecordList list;
    for (int i = 0; i < 3; ++i)
        list.AddServer("127.0.0.1", server.Port(), true);
    RefreshEngine engine;
    QuerySocketPool::ForThread().CloseIdle();
    {
        // Not one descriptor left: no socket can be opened.
        const OpenFileLimit limit(LowestFreeDescriptor());
        ASSERT_TRUE(limit.Set());
        engine.Begin(list.Head(), Params(15, 2.0, 3));
        RunRefreshToEnd(engine);
    }
    EXPECT_EQ(engine.State().socketsNotOpened, 3);
    EXPECT_EQ(engine.Pending(), 0);
    for (CServerInfo* r : Records(list))
        EXPECT_EQ(r->status, CServerInfo::Failed);
    EXPECT_EQ(server.infoRequests, 0);
}
