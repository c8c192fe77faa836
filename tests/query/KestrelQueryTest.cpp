// kestrel-query's commands against in-process peers on 127.0.0.1: tables, JSON and
// exit codes; one test runs the built program.
#include "QueryPeers.h"
#include "browser/master/CKSMasterAsyncSocket.h"
#include "browser/query/QuerySocketPool.h"
#include "query/QueryOptions.h"
#include "query/ServerReport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTimer>
#include <QUdpSocket>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// A UDP port on 127.0.0.1 that nothing listens on (until a test starts a peer there).
quint16 ClosedPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress(QHostAddress::LocalHost), 0);
    return probe.localPort();
}

// The lowest descriptor number not in use: with the open-file limit there, no
// descriptor can be opened (the event loop still polls those open).
int LowestFreeDescriptor()
{
    const int fd = fcntl(0, F_DUPFD, 0);
    close(fd);
    return fd;
}

// Lowers this process's open-file limit for as long as it lives.
class OpenFileLimit
{
public:
    explicit OpenFileLimit(rlim_t soft)
    {
        getrlimit(RLIMIT_NOFILE, &m_saved);
        rlimit lowered = m_saved;
        lowered.rlim_cur = soft;
        m_set = setrlimit(RLIMIT_NOFILE, &lowered) == 0;
    }
    ~OpenFileLimit() { setrlimit(RLIMIT_NOFILE, &m_saved); }
    bool Set() const { return m_set; }

private:
    rlimit m_saved{};
    bool m_set = false;
};

class KestrelQuery : public QueryPeers
{
protected:
    // Runs the built kestrel-query while this process serves the peers; false when it
    // has not ended within limitMs (it is then killed).
    bool RunProgram(QProcess& process, const QStringList& arguments, int limitMs)
    {
        const QString program = QString::fromLocal8Bit(qgetenv("KESTREL_BIN_DIR")) + "/kestrel-query";
        process.start(program, arguments);
        if (!process.waitForStarted(3000))
            return false;
        QElapsedTimer timer;
        timer.start();
        while (!process.waitForFinished(5)) {
            QCoreApplication::processEvents();
            if (timer.elapsed() > limitMs) {
                process.kill();
                process.waitForFinished(3000);
                return false;
            }
        }
        return true;
    }
};

} // namespace

TEST_F(KestrelQuery, InfoPrintsAnAlignedTable)
{
    StartPeers({"--port", "0", "--name", "Mill Yard", "--map", "dm_mill", "--players", "2", "--max-players", "9"});
    ASSERT_EQ(Run({"info", ServerAt(0)}), kExitSuccess) << err;
    const QStringList lines = QString::fromStdString(out).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith("ADDRESS"));
    EXPECT_TRUE(lines[1].startsWith(ServerAt(0)));
    EXPECT_TRUE(lines[1].contains("Mill Yard"));
    EXPECT_TRUE(lines[1].contains("2/9"));
    // Columns line up: the map starts where its heading does.
    EXPECT_EQ(lines[0].indexOf("MAP"), lines[1].indexOf("dm_mill"));
}

TEST_F(KestrelQuery, PlayersAndRulesAsJsonUseTheRecordsFieldNames)
{
    StartPeers({"--port", "0", "--players", "2", "--rule", "mp_timelimit=20", "--rule", "sv_gravity=800"});
    ASSERT_EQ(Run({"players", ServerAt(0), "--json"}), kExitSuccess) << err;
    QJsonArray servers = Json();
    ASSERT_EQ(servers.size(), 1);
    QJsonObject server = servers[0].toObject();
    for (const char* key : {"address", "port", "name", "map", "dir", "game", "currentplayers", "maxplayers", "protocol",
                            "svtype", "svos", "password", "ping_ms", "players"})
        EXPECT_TRUE(server.contains(key)) << key;
    EXPECT_FALSE(server.contains("rules"));
    EXPECT_EQ(server["players"].toArray().size(), 2);
    EXPECT_EQ(server["players"].toArray()[1].toObject()["name"].toString(), "Player 2");
    EXPECT_EQ(server["port"].toInt(), network.GameServers()[0]->Port());

    ASSERT_EQ(Run({"rules", ServerAt(0), "--json"}), kExitSuccess) << err;
    server = Json()[0].toObject();
    const QJsonArray rules = server["rules"].toArray();
    ASSERT_EQ(rules.size(), 2);
    EXPECT_EQ(rules[0].toObject(), (QJsonObject{{"key", "mp_timelimit"}, {"value", "20"}}));
    EXPECT_EQ(rules[1].toObject(), (QJsonObject{{"key", "sv_gravity"}, {"value", "800"}}));

    ASSERT_EQ(Run({"rules", ServerAt(0)}), kExitSuccess);
    const std::string table = out;
    EXPECT_LT(table.find("mp_timelimit  20"), table.find("sv_gravity    800"));
}

TEST_F(KestrelQuery, MasterListsTheServersAndTheFilterApplies)
{
    StartPeers({"--port", "0", "--count", "6", "--players", "0,1", "--master", "0", "--master-batch", "2"});
    ASSERT_EQ(Run({"master", MasterAddress(), "--json"}), kExitSuccess) << err;
    EXPECT_EQ(Json().size(), 6);
    ASSERT_EQ(Run({"master", MasterAddress(), "--filter", "\\empty\\1"}), kExitSuccess) << err;
    const QStringList lines = QString::fromStdString(out).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], "ADDRESS    PORT");
    EXPECT_EQ(lines[1], "127.0.0.1  " + QString::number(network.GameServers()[1]->Port()));
}

TEST_F(KestrelQuery, RefreshQueriesEveryListedServerAndSkipsTheSilentOnes)
{
    StartPeers({"--port", "0", "--count", "12", "--master", "0", "--master-batch", "5", "--rule", "a=b"});
    network.GameServers()[3]->State().Config().silent = true;
    network.GameServers()[7]->State().Config().hostile = HostileReply::WrongHeader;
    ASSERT_EQ(Run({"refresh", "--master", MasterAddress(), "--maxsockets", "4", "--timeout", "0.2", "--retries", "1",
                   "--rules", "--json"}),
              kExitSuccess)
        << err;
    const QJsonArray servers = Json();
    ASSERT_EQ(servers.size(), 10);
    for (const QJsonValue& server : servers) {
        EXPECT_EQ(server.toObject()["rules"].toArray()[0].toObject()["value"].toString(), "b");
        EXPECT_NE(server.toObject()["port"].toInt(), network.GameServers()[3]->Port());
    }
}

TEST_F(KestrelQuery, NothingAnsweringExitsWithOne)
{
    StartPeers({"--port", "0", "--silent", "--master", "0"});
    EXPECT_EQ(Run({"info", ServerAt(0), "--timeout", "0.1", "--retries", "0"}), kExitNoAnswer);
    EXPECT_NE(err.find("No answer from"), std::string::npos);
    EXPECT_EQ(out, "");
    EXPECT_EQ(Run({"refresh", "--master", MasterAddress(), "--timeout", "0.1", "--retries", "0"}), kExitNoAnswer);
}

TEST_F(KestrelQuery, BadArgumentsExitWithTwoAndAUsageLine)
{
    for (const QStringList& arguments :
         {QStringList{}, QStringList{"bogus"}, QStringList{"info"}, QStringList{"info", "127.0.0.1:70000"},
          QStringList{"refresh", "--filter", "x"}, QStringList{"master", "127.0.0.1:1", "--maxsockets", "3"},
          QStringList{"refresh", "--master", "127.0.0.1:1", "--maxsockets", "zero"}}) {
        EXPECT_EQ(Run(arguments), kExitBadArguments) << arguments.join(' ').toStdString();
        EXPECT_NE(err.find("usage: kestrel-query"), std::string::npos);
    }
}

TEST(KestrelQueryOptions, DefaultPortsAndSocketFloor)
{
    QueryOptions options;
    std::string error;
    ASSERT_TRUE(ParseQueryOptions({"q", "info", "127.0.0.1"}, options, error)) << error;
    EXPECT_EQ(options.port, 27015);
    ASSERT_TRUE(ParseQueryOptions({"q", "refresh", "--master", "127.0.0.1", "--maxsockets", "2"}, options, error));
    EXPECT_EQ(options.port, 27010);
    EXPECT_EQ(options.maxSockets, QueryOptions::kMinSockets);
}

TEST(KestrelQueryReport, HostileTextIsMadePrintable)
{
    EXPECT_EQ(Printable("a\x1b[2Jb\n", 40), "a?[2Jb?");
    EXPECT_EQ(Printable(std::string(100, 'x'), 10).size(), 10u);
}

TEST_F(KestrelQuery, BuiltProgramPrintsJsonAndExitCodes)
{
    StartPeers({"--port", "0", "--name", "Proc"});
    const QString program = QString::fromLocal8Bit(qgetenv("KESTREL_BIN_DIR")) + "/kestrel-query";
    QProcess process;
    process.start(program, {"info", ServerAt(0), "--json"});
    ASSERT_TRUE(process.waitForStarted(3000));
    // The peer runs in this process: serve it while the program waits for its reply.
    while (!process.waitForFinished(5))
        QCoreApplication::processEvents();
    EXPECT_EQ(process.exitCode(), kExitSuccess) << process.readAllStandardError().toStdString();
    const QJsonDocument doc = QJsonDocument::fromJson(process.readAllStandardOutput());
    ASSERT_TRUE(doc.isArray());
    EXPECT_EQ(doc.array()[0].toObject()["name"].toString(), "Proc");

    process.start(program, {"frobnicate"});
    ASSERT_TRUE(process.waitForFinished(5000));
    EXPECT_EQ(process.exitCode(), kExitBadArguments);
    EXPECT_TRUE(process.readAllStandardError().contains("usage: kestrel-query"));
}

TEST_F(KestrelQuery, LanListsTheServersOfTheLaunchersGameOnly)
{
    // Ten ports in a row off the game ports; the first free group found is used.
    PeerOptions options;
    std::string error;
    int base = 0;
    for (int candidate = 42000; candidate < 62000 && base == 0; candidate += 1130) {
        ASSERT_TRUE(
            ParsePeerOptions({"kestrel-peer", "--port", QString::number(candidate), "--count", "3"}, options, error))
            << error;
        options.gameServers[1].gameDir = "other";
        PeerNetwork attempt;
        if (attempt.Start(options, error))
            base = candidate;
    }
    ASSERT_NE(base, 0);
    ASSERT_TRUE(network.Start(options, error)) << error;
    ASSERT_EQ(Run({"lan", "--port-base", QString::number(base), "--target", "127.0.0.1", "--timeout", "0.2", "--json"}),
              kExitSuccess)
        << err;
    const QJsonArray servers = Json();
    ASSERT_EQ(servers.size(), 2);
    for (const QJsonValue& server : servers) {
        const int port = server.toObject()["port"].toInt();
        EXPECT_TRUE(port == base || port == base + 2) << port;
    }
}

TEST_F(KestrelQuery, LanOptionsAreCheckedAndOnlyForLan)
{
    QueryOptions options;
    std::string error;
    ASSERT_TRUE(ParseQueryOptions({"q", "lan"}, options, error)) << error;
    EXPECT_EQ(options.portBase, 27015);
    EXPECT_EQ(options.lanTarget, "255.255.255.255");
    EXPECT_FALSE(ParseQueryOptions({"q", "lan", "--port-base", "65530"}, options, error));
    EXPECT_FALSE(ParseQueryOptions({"q", "lan", "--target", "nowhere"}, options, error));
    EXPECT_FALSE(ParseQueryOptions({"q", "info", "127.0.0.1", "--port-base", "4000"}, options, error));
    EXPECT_FALSE(ParseQueryOptions({"q", "lan", "127.0.0.1"}, options, error));
}

TEST_F(KestrelQuery, InfoReachesAServerThatStartsASecondLate)
{
    // The first requests meet a closed port ("port unreachable"); the server is up for
    // a later re-send, whose answer must still be read.
    const quint16 port = ClosedPort();
    QTimer::singleShot(1000, [&] { StartPeers({"--port", QString::number(port), "--name", "Late"}); });
    QElapsedTimer timer;
    timer.start();
    ASSERT_EQ(Run({"info", "127.0.0.1:" + QString::number(port), "--timeout", "0.4", "--retries", "6", "--json"}),
              kExitSuccess)
        << err;
    EXPECT_GE(timer.elapsed(), 1000);
    EXPECT_EQ(Json()[0].toObject()["name"].toString(), "Late");
}

TEST_F(KestrelQuery, MasterThatStartsASecondLateAnswersTheRequestSentAgain)
{
    const quint16 port = ClosedPort();
    QTimer::singleShot(1000, [&] { StartPeers({"--port", "0", "--count", "3", "--master", QString::number(port)}); });
    ASSERT_EQ(Run({"master", "127.0.0.1:" + QString::number(port), "--json"}), kExitSuccess) << err;
    EXPECT_EQ(Json().size(), 3);
    EXPECT_EQ(network.Master()->RequestsReceived(), 1); // the re-send; the first met a closed port
}

TEST_F(KestrelQuery, HostileMastersCannotKeepTheListGoing)
{
    struct Case
    {
        const char* mode;
        int addresses;
    };
    // New keys and addresses without end stop at the exchange's address bound; a key
    // asked before ends the list at once.
    for (const Case& c : {Case{"endless", CKSMasterAsyncSocket::kMaxListAddresses}, Case{"same-key", 3}}) {
        SCOPED_TRACE(c.mode);
        StartPeers({"--port", "0", "--count", "3", "--master", "0", "--master-hostile", c.mode});
        QProcess process;
        ASSERT_TRUE(RunProgram(process, {"master", MasterAddress(), "--json"}, 20000)) << "still running after 20 s";
        EXPECT_EQ(process.exitCode(), kExitSuccess) << process.readAllStandardError().toStdString();
        const QJsonDocument doc = QJsonDocument::fromJson(process.readAllStandardOutput());
        EXPECT_EQ(doc.array().size(), c.addresses);
    }
}

TEST_F(KestrelQuery, RefreshFitsItsSocketsToTheOpenFileLimit)
{
    // 200 servers, 40 sockets asked for, and an open-file limit of 30 for the program.
    StartPeers({"--port", "0", "--count", "200", "--master", "0"});
    QProcess process;
    process.setChildProcessModifier([] {
        rlimit limit{};
        getrlimit(RLIMIT_NOFILE, &limit);
        limit.rlim_cur = 30;
        setrlimit(RLIMIT_NOFILE, &limit);
    });
    ASSERT_TRUE(RunProgram(process, {"refresh", "--master", MasterAddress(), "--maxsockets", "40", "--json"}, 30000));
    const QByteArray errors = process.readAllStandardError();
    EXPECT_EQ(process.exitCode(), kExitSuccess) << errors.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(process.readAllStandardOutput()).array().size(), 200) << errors.toStdString();
}

TEST_F(KestrelQuery, AServerWithoutASocketIsReportedAsLost)
{
    StartPeers({"--port", "0", "--name", "Unreached"});
    const QString server = ServerAt(0);
    int code = -1;
    // Sockets left waiting by earlier queries would be taken first.
    QuerySocketPool::ForThread().CloseIdle();
    {
        // Not one descriptor left: no socket can be opened.
        const OpenFileLimit limit{rlim_t(LowestFreeDescriptor())};
        ASSERT_TRUE(limit.Set());
        code = Run({"info", server, "--timeout", "0.2", "--retries", "0"});
    }
    EXPECT_EQ(code, kExitNoAnswer);
    EXPECT_NE(err.find("1 of 1 servers were not queried: no socket could be opened"), std::string::npos) << err;
    EXPECT_EQ(network.GameServers()[0]->DatagramsReceived(), 0);
}
