// LAN discovery against fake game servers on 127.0.0.1 at the game ports: the
// requests go to the loopback address instead of the broadcast address.
#include "browser/lan/LanDiscovery.h"
#include "FakeGameServer.h"
#include "browser/list/RefreshPass.h"
#include "browser/list/ServerRecordList.h"
#include "browser/query/BrowserClock.h"
#include "browser/query/CKSAsyncSocket.h"
#include "browser/record/CServerInfo.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <map>
#include <memory>

namespace {

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

// A browser clock that runs with real time and can be moved ahead, so the two-second
// window passes without waiting for it.
class SteppedClock
{
public:
    SteppedClock() : m_base(Seconds())
    {
        SetBrowserClock([this] { return 100.0 + (Seconds() - m_base) + m_ahead; });
    }
    ~SteppedClock() { SetBrowserClock({}); }
    void Skip(double seconds) { m_ahead += seconds; }

private:
    double m_base;
    double m_ahead = 0.0;
};

std::string Info(const std::string& name, const std::string& dir)
{
    return "\\hostname\\" + name + "\\map\\ha_mill\\gamedir\\" + dir + "\\players\\1\\max\\8\\protocol\\45";
}

// Fake servers on the game ports that are free on this machine.
struct GamePorts
{
    std::map<int, std::unique_ptr<FakeGameServer>> servers; // by port offset

    explicit GamePorts(std::initializer_list<int> offsets)
    {
        for (const int i : offsets) {
            auto s = std::make_unique<FakeGameServer>(quint16(CKSLanAsyncSocket::kFirstPort + i));
            if (s->Bound())
                servers.emplace(i, std::move(s));
        }
    }
};

const CServerInfo* FindPort(ServerRecordList& list, int port)
{
    for (const CServerInfo* r = list.Head(); r; r = r->next)
        if (r->address == "127.0.0.1" && r->port == port)
            return r;
    return nullptr;
}

LanDiscovery::Phase RunUntilDone(LanDiscovery& lan, double limit)
{
    QElapsedTimer timer;
    timer.start();
    while (lan.CurrentPhase() != LanDiscovery::Phase::Done && timer.elapsed() < limit * 1000) {
        lan.Tick();
        Pump(2);
    }
    return lan.CurrentPhase();
}

void FastPing(LanDiscovery& lan)
{
    lan.PingParams().timeout = 0.25;
    lan.PingParams().maxRetries = 1;
    lan.PingParams().idleTimeout = 1.0;
    lan.PingParams().maxInFlight = 4;
}

} // namespace

TEST(LanDiscovery, RequestReachesEveryGamePortAndVrelServersAreListed)
{
    // The first, the last and every other game port; the other tests of this file use
    // the rest, so that they can run at the same time.
    GamePorts ports({0, 2, 4, 6, 8, 9});
    if (ports.servers.size() < 4)
        GTEST_SKIP() << "fewer than four of the game ports are free on 127.0.0.1";
    // The first three free ports run vrel, another letter case and another game.
    std::vector<int> offsets;
    for (const auto& [i, s] : ports.servers)
        offsets.push_back(i);
    ports.servers[offsets[0]]->infoReplies = {ReplyBuilder::Info(Info("Upstairs", "vrel")).Bytes()};
    ports.servers[offsets[1]]->infoReplies = {ReplyBuilder::Info(Info("Shouting", "VREL")).Bytes()};
    ports.servers[offsets[2]]->infoReplies = {ReplyBuilder::Info(Info("Elsewhere", "harrow")).Bytes()};
    FakeGameServer& switching = *ports.servers[offsets[3]];
    switching.infoReplies = {ReplyBuilder::Info(Info("Switching", "vrel")).Bytes()};

    SteppedClock clock;
    LanDiscovery lan;
    lan.SetTarget(QHostAddress(QHostAddress::LocalHost));
    FastPing(lan);
    lan.Refresh();
    ASSERT_TRUE(lan.Discovering());
    EXPECT_EQ(lan.CurrentPhase(), LanDiscovery::Phase::Collecting);
    const quint16 lanPort = lan.Socket()->localPort();

    Pump(150);
    EXPECT_EQ(lan.Tick(), LanDiscovery::Phase::Collecting);
    // Other test programs may search the LAN at the same time: count only our requests.
    for (const auto& [i, s] : ports.servers)
        EXPECT_EQ(s->infoRequestsFrom[lanPort], 1) << "port " << CKSLanAsyncSocket::kFirstPort + i;

    const int vrelPort = CKSLanAsyncSocket::kFirstPort + offsets[0];
    const CServerInfo* found = FindPort(lan.Servers(), vrelPort);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->name, "Upstairs");
    EXPECT_EQ(FindPort(lan.Servers(), CKSLanAsyncSocket::kFirstPort + offsets[1]), nullptr);
    EXPECT_EQ(FindPort(lan.Servers(), CKSLanAsyncSocket::kFirstPort + offsets[2]), nullptr);
    EXPECT_EQ(found->svping, 0.0);

    const CServerInfo* switched = FindPort(lan.Servers(), CKSLanAsyncSocket::kFirstPort + offsets[3]);
    ASSERT_NE(switched, nullptr);
    // By the ping pass this server runs another game.
    switching.infoReplies = {ReplyBuilder::Info(Info("Switching", "harrow")).Bytes()};

    clock.Skip(LanDiscovery::kCollectWindow);
    EXPECT_NE(lan.Tick(), LanDiscovery::Phase::Collecting);
    EXPECT_FALSE(lan.Discovering());
    ASSERT_EQ(RunUntilDone(lan, 5.0), LanDiscovery::Phase::Done);

    // The ping pass queried the server once more, from a socket of its own, and measured it.
    EXPECT_EQ(ports.servers[offsets[0]]->infoRequestsFrom[lanPort], 1);
    EXPECT_GE(ports.servers[offsets[0]]->infoRequests, 2);
    EXPECT_EQ(found->status, CServerInfo::Done);
    EXPECT_GT(found->svping, 0.0);
    EXPECT_LT(found->svping, 1.0);
    EXPECT_EQ(found->Socket(), nullptr);

    const std::vector<CServerInfo*> rows = lan.ShownServers({1});
    ASSERT_FALSE(rows.empty());
    EXPECT_NE(std::find(rows.begin(), rows.end(), found), rows.end());
    for (const CServerInfo* r : rows)
        EXPECT_EQ(r->dir, "vrel");
    // It stays in the list but is not shown.
    EXPECT_EQ(switched->dir, "harrow");
    EXPECT_EQ(std::find(rows.begin(), rows.end(), switched), rows.end());
}

TEST(LanDiscovery, ServerAnsweringTwiceGivesOneRecord)
{
    GamePorts ports({1, 3});
    if (ports.servers.empty())
        GTEST_SKIP() << "game ports 27016 and 27018 are taken on 127.0.0.1";
    auto& [offset, server] = *ports.servers.begin();
    const auto reply = ReplyBuilder::Info(Info("Echo", "vrel")).Bytes();
    server->infoReplies = {reply, reply};

    SteppedClock clock;
    LanDiscovery lan;
    lan.SetTarget(QHostAddress(QHostAddress::LocalHost));
    lan.Refresh();
    Pump(150);
    int count = 0;
    for (const CServerInfo* r = lan.Servers().Head(); r; r = r->next)
        count += r->port == CKSLanAsyncSocket::kFirstPort + offset && r->address == "127.0.0.1";
    EXPECT_EQ(count, 1);
}

TEST(LanDiscovery, AnswersAfterTheWindowAreLost)
{
    GamePorts ports({5, 7});
    if (ports.servers.empty())
        GTEST_SKIP() << "game ports 27020 and 27022 are taken on 127.0.0.1";
    auto& [offset, server] = *ports.servers.begin();
    server->infoReplies = {ReplyBuilder::Info(Info("Late", "vrel")).Bytes()};
    server->delayMs = 200;

    SteppedClock clock;
    LanDiscovery lan;
    lan.SetTarget(QHostAddress(QHostAddress::LocalHost));
    FastPing(lan);
    lan.Refresh();
    Pump(20);
    clock.Skip(LanDiscovery::kCollectWindow);
    lan.Tick();
    EXPECT_FALSE(lan.Discovering());
    Pump(300);
    EXPECT_EQ(FindPort(lan.Servers(), CKSLanAsyncSocket::kFirstPort + offset), nullptr);
}

TEST(LanDiscovery, RefreshStartsFromAnEmptyList)
{
    SteppedClock clock;
    LanDiscovery lan;
    lan.SetTarget(QHostAddress(QHostAddress::LocalHost));
    lan.Servers().AddServer("127.0.0.1", 1);
    lan.Refresh();
    EXPECT_EQ(FindPort(lan.Servers(), 1), nullptr);
    EXPECT_EQ(lan.CurrentPhase(), LanDiscovery::Phase::Collecting);
}
