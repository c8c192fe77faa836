// kestrel-query's output: CSV quoting, a table safe for terminals and aligned by
// characters, rules in the server's order, players and rules in tables, and every
// failure reported in the exit code.
#include "QueryPeers.h"
#include "peer/QueryResponder.h"
#include "query/CsvReport.h"
#include "query/TerminalText.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QUdpSocket>

namespace {

// A server that answers the info request and nothing else.
class InfoOnlyServer
{
public:
    InfoOnlyServer()
    {
        GameServerConfig config;
        config.name = "Half Deaf";
        config.currentPlayers = 2;
        m_state = std::make_unique<GameServerState>(config);
        m_socket.bind(QHostAddress(QHostAddress::LocalHost), 0);
        QObject::connect(&m_socket, &QUdpSocket::readyRead, [this] {
            while (m_socket.hasPendingDatagrams()) {
                QHostAddress from;
                quint16 port = 0;
                QByteArray datagram(int(m_socket.pendingDatagramSize()), '\0');
                m_socket.readDatagram(datagram.data(), datagram.size(), &from, &port);
                if (!datagram.contains("infostring"))
                    continue;
                const std::vector<uint8_t> reply = BuildInfoReply(*m_state);
                m_socket.writeDatagram(reinterpret_cast<const char*>(reply.data()), qint64(reply.size()), from, port);
            }
        });
    }
    QString Address() const { return "127.0.0.1:" + QString::number(m_socket.localPort()); }

private:
    std::unique_ptr<GameServerState> m_state;
    QUdpSocket m_socket;
};

} // namespace

TEST(QueryCsv, FieldsWithCommasQuotesAndLineBreaksAreQuoted)
{
    EXPECT_EQ(CsvField("plain name"), "plain name");
    EXPECT_EQ(CsvField("Tom, Dick"), "\"Tom, Dick\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(CsvLine({"a,b", "", "c"}), "\"a,b\",,c\n");
}

TEST_F(QueryPeers, CsvOutputHasAHeaderAndQuotesNames)
{
    StartPeers({"--port", "0", "--count", "2", "--rule", "motd=hi, \"all\""});
    Config(0).name = "Frags, \"Fast\" & Co";
    ASSERT_EQ(Run({"refresh", "--list", ListFile({ServerAt(0), ServerAt(1)}), "--format", "csv"}), kExitSuccess) << err;
    const QStringList lines = QString::fromStdString(out).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith("address,port,name,map,"));
    EXPECT_TRUE(lines[1].startsWith("127.0.0.1," + QString::number(Port(0)) + ",\"Frags, \"\"Fast\"\" & Co\",dm_yard,"))
        << lines[1].toStdString();
    ASSERT_EQ(Run({"rules", ServerAt(1), "--format", "csv"}), kExitSuccess) << err;
    EXPECT_EQ(out, "address,port,key,value\n127.0.0.1," + std::to_string(Port(1)) + ",motd,\"hi, \"\"all\"\"\"\n");
    EXPECT_EQ(Run({"refresh", "--list", ListFile({ServerAt(0)}), "--format", "csv", "--players"}), kExitBadArguments);
}

TEST(QueryTable, TextIsCutAndAlignedByCharactersAndControlsAreReplaced)
{
    EXPECT_EQ(Printable("a\x1b[2Jb\n", 40), "a?[2Jb?");
    EXPECT_EQ(Printable("x\xc2\x85y\xe2\x80\xaez\xe2\x81\xa6", 40), "x?y?z?"); // C1 NEL, RLO, LRI
    EXPECT_EQ(Printable(std::string(10, 'x') + "\xc3\xa9", 11), std::string(10, 'x') + "\xc3\xa9");
    EXPECT_EQ(Printable("\xc3\xa9\xc3\xa9\xc3\xa9", 2), "\xc3\xa9\xc3\xa9");
    EXPECT_EQ(Printable("bad\xff", 40), "bad\xef\xbf\xbd");
    EXPECT_EQ(CharacterCount("\xc3\xa9t\xc3\xa9"), 3u);
}

TEST_F(QueryPeers, TableColumnsLineUpUnderUtf8Names)
{
    StartPeers({"--port", "0", "--count", "2"});
    Config(0).name = std::string(30, 'a');
    std::string wide;
    for (int i = 0; i < 45; ++i)
        wide += "\xc3\xa9";
    Config(1).name = wide + "\xc2\x9b" + "31m";
    ASSERT_EQ(Run({"refresh", "--list", ListFile({ServerAt(0), ServerAt(1)})}), kExitSuccess) << err;
    const QStringList lines = QString::fromStdString(out).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    const qsizetype mapColumn = lines[0].indexOf("MAP");
    EXPECT_EQ(lines[1].indexOf("dm_yard"), mapColumn);
    EXPECT_EQ(lines[2].indexOf("dm_yard"), mapColumn);
    EXPECT_TRUE(lines[2].contains(QString(40, QChar(0xe9)))) << lines[2].toStdString();
    EXPECT_FALSE(lines[2].contains(QString(41, QChar(0xe9))));
}

TEST_F(QueryPeers, RulesKeepTheServersOrderAndDuplicateKeys)
{
    StartPeers({"--port", "0", "--rule", "mode=a", "--rule", "limit=20", "--rule", "mode=b"});
    ASSERT_EQ(Run({"rules", ServerAt(0), "--json"}), kExitSuccess) << err;
    const QJsonArray rules = Json()[0].toObject()["rules"].toArray();
    ASSERT_EQ(rules.size(), 3);
    EXPECT_EQ(rules[0].toObject(), (QJsonObject{{"key", "mode"}, {"value", "a"}}));
    EXPECT_EQ(rules[1].toObject(), (QJsonObject{{"key", "limit"}, {"value", "20"}}));
    EXPECT_EQ(rules[2].toObject(), (QJsonObject{{"key", "mode"}, {"value", "b"}}));
}

TEST_F(QueryPeers, RefreshTablesShowPlayersAndRulesWhenAsked)
{
    StartPeers({"--port", "0", "--count", "2", "--players", "2", "--rule", "sv_gravity=800"});
    const QString list = ListFile({ServerAt(0), ServerAt(1)});
    ASSERT_EQ(Run({"refresh", "--list", list}), kExitSuccess) << err;
    const std::string plain = out;
    ASSERT_EQ(Run({"refresh", "--list", list, "--players", "--rules"}), kExitSuccess) << err;
    EXPECT_EQ(out.substr(0, plain.size()), plain);
    for (size_t i = 0; i < 2; ++i) {
        const size_t heading = out.find(ServerAt(i).toStdString() + "  Kestrel Peer #" + std::to_string(i + 1));
        ASSERT_NE(heading, std::string::npos) << out;
        EXPECT_LT(heading, out.find("Player 2", heading));
        EXPECT_LT(out.find("Player 2", heading), out.find("sv_gravity  800", heading));
    }
}

TEST_F(QueryPeers, PlayersAndRulesNotAnsweredExitWithOne)
{
    InfoOnlyServer server;
    for (const char* command : {"players", "rules"}) {
        EXPECT_EQ(Run({command, server.Address(), "--timeout", "0.1", "--retries", "1"}), kExitNoAnswer) << command;
        EXPECT_NE(err.find(server.Address().toStdString() + " did not answer the " + command + " request."),
                  std::string::npos)
            << err;
    }
    EXPECT_EQ(Run({"info", server.Address(), "--timeout", "0.1", "--retries", "1"}), kExitSuccess) << err;
}

TEST_F(QueryPeers, ARefreshWaitsAsLongAsItsTimeoutAllows)
{
    // A reply later than the engine's default idle stop (7.5 s) but within --timeout.
    StartPeers({"--port", "0", "--delay", "7800"});
    QElapsedTimer timer;
    timer.start();
    ASSERT_EQ(Run({"refresh", "--list", ListFile({ServerAt(0)}), "--timeout", "9", "--retries", "0", "--json"}),
              kExitSuccess)
        << err;
    EXPECT_EQ(JsonPorts(), (std::vector<int>{Port(0)}));
    EXPECT_GE(timer.elapsed(), 7800);
}

TEST_F(QueryPeers, AnOutputThatCannotBeWrittenExitsWithOne)
{
    StartPeers({"--port", "0"});
    QProcess process;
    process.setStandardOutputFile("/dev/full");
    process.start(QString::fromLocal8Bit(qgetenv("KESTREL_BIN_DIR")) + "/kestrel-query", {"info", ServerAt(0)});
    ASSERT_TRUE(process.waitForStarted(3000));
    QElapsedTimer timer;
    timer.start();
    while (!process.waitForFinished(5) && timer.elapsed() < 10000)
        QCoreApplication::processEvents();
    ASSERT_EQ(process.state(), QProcess::NotRunning);
    EXPECT_EQ(process.exitCode(), kExitNoAnswer);
    EXPECT_TRUE(process.readAllStandardError().contains("cannot write the output"));
}
