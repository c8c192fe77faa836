// Passes of the refresh engine over a list: when they stop and what they leave.
#include "browser/list/RefreshPass.h"
#include "FakeGameServer.h"
#include "browser/list/ServerRecordList.h"
#include "browser/query/BrowserClock.h"
#include "browser/record/CServerInfo.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace {

void Pump(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs passes until one says stop; the number of the last pass, or 0 at the limit.
RefreshPassResult RunPasses(ServerRecordList& list, const RefreshParams& p, QueryStepState& state, int limitMs)
{
    QElapsedTimer timer;
    timer.start();
    RefreshPassResult result;
    while (timer.elapsed() < limitMs) {
        result = RunRefreshPass(list.Head(), p, state);
        if (result.stop)
            return result;
        Pump(2);
    }
    return result;
}

const char* kInfo = "\\hostname\\Pass\\gamedir\\vrel\\max\\8\\protocol\\45";

} // namespace

TEST(RefreshPass, StopsWhenEveryRecordIsSettled)
{
    FakeGameServer answering;
    answering.infoReplies = {ReplyBuilder::Info(kInfo).Bytes()};
    FakeGameServer silent;
    ServerRecordList list;
    CServerInfo* good = list.AddServer("127.0.0.1", answering.Port());
    CServerInfo* dead = list.AddServer("127.0.0.1", silent.Port());
    CServerInfo* hidden = list.AddServer("127.0.0.1", answering.Port(), true);
    hidden->SetFiltered(true);

    RefreshParams p;
    p.timeout = 0.1;
    p.maxRetries = 1;
    p.maxInFlight = 4;
    QueryStepState state;
    BeginRefresh(list.Head(), p, state);
    const RefreshPassResult last = RunPasses(list, p, state, 3000);
    ASSERT_TRUE(last.stop);
    EXPECT_EQ(last.pending, 0);
    EXPECT_EQ(good->status, CServerInfo::Done);
    EXPECT_EQ(dead->status, CServerInfo::Failed);
    EXPECT_TRUE(dead->noresponse);
    EXPECT_EQ(hidden->status, CServerInfo::Idle); // filtered records are not queried
    EXPECT_EQ(state.openSockets, 0);
    EXPECT_EQ(answering.infoRequests, 1);
    EXPECT_EQ(silent.infoRequests, 2);
}

TEST(RefreshPass, StopsWithFewPendingWhenRepliesStopComing)
{
    FakeGameServer silent;
    ServerRecordList list;
    CServerInfo* r = list.AddServer("127.0.0.1", silent.Port());
    RefreshParams p;
    p.timeout = 10.0; // the record itself would wait much longer
    p.maxInFlight = 4;
    p.idleTimeout = 0.2;
    QueryStepState state;
    BeginRefresh(list.Head(), p, state);
    QElapsedTimer timer;
    timer.start();
    const RefreshPassResult last = RunPasses(list, p, state, 3000);
    ASSERT_TRUE(last.stop);
    EXPECT_EQ(last.pending, 1);
    EXPECT_GE(timer.elapsed(), 190);
    EXPECT_EQ(r->status, CServerInfo::InfoSent); // left as it was
}

TEST(RefreshPass, BeginResetsRecordsButNotLanOrFilteredOnes)
{
    ServerRecordList list;
    CServerInfo* a = list.AddServer("127.0.0.1", 1);
    CServerInfo* lanOnly = list.AddServer("127.0.0.1", 2);
    a->status = CServerInfo::Failed;
    a->noresponse = true;
    a->retries = 3;
    lanOnly->lan = true;
    lanOnly->status = CServerInfo::Failed;
    RefreshParams p;
    QueryStepState state;
    BeginRefresh(list.Head(), p, state);
    EXPECT_EQ(a->status, CServerInfo::Idle);
    EXPECT_FALSE(a->noresponse);
    EXPECT_EQ(a->retries, 0);
    EXPECT_EQ(lanOnly->status, CServerInfo::Failed);
}
