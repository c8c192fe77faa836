// ksds, the stand-in dedicated server: its command line, the game directory as spelled
// on disk, game.cfg variables as rules, maps its game lacks refused with a message
// and an exit code, the first free port of its range, and silent players dropped.
#include "ServerWorld.h"
#include "app/engine/ConnectHandshake.h"
#include "ksds/DedicatedServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QNetworkDatagram>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>

namespace {

constexpr uint16_t kPortBlock = 31175;

class Ksds : public ServerWorldTest
{
protected:
    void SetUp() override
    {
        ServerWorldTest::SetUp();
        savedDirectory = QDir::currentPath();
        QDir::setCurrent(Tree().Path());
    }
    void TearDown() override
    {
        QFile::remove(Tree().Abs("vrel/game.cfg"));
        QDir::setCurrent(savedDirectory);
        ServerWorldTest::TearDown();
    }

    static KsdsOptions Options(const std::vector<std::string>& arguments)
    {
        std::string error;
        std::optional<KsdsOptions> options = ParseKsdsOptions(arguments, error);
        EXPECT_TRUE(options) << error;
        return options.value_or(KsdsOptions());
    }

    QString savedDirectory;
};

TEST_F(Ksds, CommandLineSetsVariablesGameAndPortAndRefusesTheRest)
{
    const KsdsOptions options = Options({"+sv_lan", "1", "+MaxPlayers", "12", "+sv_password", "", "+hostname",
                                         "Ann's server", "+map", "ashfall", "-game", "arena", "-port", "31000"});
    EXPECT_EQ(options.Variable("maxplayers"), "12");
    EXPECT_EQ(options.Variable("sv_password", "none"), "");
    EXPECT_EQ(options.Variable("hostname"), "Ann's server");
    EXPECT_EQ(options.gameDirectory, "arena");
    EXPECT_EQ(options.firstPort, 31000);
    EXPECT_EQ(Options({}).gameDirectory, "vrel");
    std::string error;
    EXPECT_FALSE(ParseKsdsOptions({"map", "ashfall"}, error));
    EXPECT_FALSE(ParseKsdsOptions({"-game"}, error));
    EXPECT_FALSE(ParseKsdsOptions({"-port", "99999"}, error));
}

TEST_F(Ksds, ServesTheGameAsSpelledOnDiskWithItsConfigAsRulesOnTheFirstFreePort)
{
    Tree().Write("vrel/game.cfg", "\"mp_fraglimit\"\t\t\"45\"\r\n");
    QUdpSocket taken;
    ASSERT_TRUE(taken.bind(QHostAddress::LocalHost, kPortBlock));
    DedicatedServer server(Options({"+hostname", "Big \"Room\"", "+maxplayers", "99999999999", "+map", "Ashfall",
                                    "+ip", "127.0.0.1", "-game", "VREL", "-port", std::to_string(kPortBlock)}));
    std::string error;
    ASSERT_EQ(server.Start(error), 0) << error;
    EXPECT_EQ(server.Port(), kPortBlock + 1);
    EXPECT_EQ(server.Config().gameDir, "vrel");
    EXPECT_EQ(server.Config().name, "Big Room");
    EXPECT_EQ(server.Config().maxPlayers, 32);
    EXPECT_EQ(server.Config().type, 'd');
    EXPECT_EQ(server.Config().rules, (std::vector<std::pair<std::string, std::string>>{{"mp_fraglimit", "45"}}));
    EXPECT_TRUE(Tree().Read("ksds.log").contains("Dedicated server \"Big Room\""));
}

TEST_F(Ksds, AMapItsGameLacksIsRefusedWithAMessageAndExitCode)
{
    QProcess ksds;
    ksds.setWorkingDirectory(Tree().Path());
    ksds.start(QCoreApplication::applicationDirPath() + "/ksds",
               {"+map", "pit", "+ip", "127.0.0.1", "-port", QString::number(kPortBlock + 5)});
    ASSERT_TRUE(ksds.waitForFinished(10000));
    EXPECT_EQ(ksds.exitCode(), DedicatedServer::kExitNoMap);
    EXPECT_TRUE(ksds.readAllStandardError().contains("map \"pit\" not found"));
    EXPECT_TRUE(Tree().Read("ksds.log").contains("map \"pit\" not found"));

    // The custom game that has it serves it; a game directory that is not there is refused.
    DedicatedServer arena(Options({"+map", "pit", "+ip", "127.0.0.1", "-game", "arena", "-port",
                                   std::to_string(kPortBlock + 5)}));
    std::string error;
    EXPECT_EQ(arena.Start(error), 0) << error;
    DedicatedServer missing(Options({"+map", "ashfall", "-game", "elsewhere"}));
    EXPECT_EQ(missing.Start(error), DedicatedServer::kExitNoGame);
}

TEST_F(Ksds, GameThatIsNotAFolderNameIsABadArgument)
{
    QProcess ksds;
    ksds.setWorkingDirectory(Tree().Path());
    ksds.start(QCoreApplication::applicationDirPath() + "/ksds",
               {"+map", "ashfall", "+ip", "127.0.0.1", "-port", QString::number(kPortBlock + 7), "-game", "."});
    ASSERT_TRUE(ksds.waitForFinished(10000));
    EXPECT_EQ(ksds.exitCode(), DedicatedServer::kExitBadArguments);
    EXPECT_TRUE(ksds.readAllStandardError().contains("-game needs the name of a game folder"));
    std::string error;
    for (const char* game : {"..", "/tmp", "vrel/maps", "a\\b", "./vrel"})
        EXPECT_FALSE(ParseKsdsOptions({"-game", game}, error)) << game;
    EXPECT_EQ(error, "-game needs the name of a game folder in the base directory, not \"./vrel\"");
}

// A client of the connect handshake on its own socket.
class HandshakeClient
{
public:
    explicit HandshakeClient(uint16_t server) : m_server(server) { m_socket.bind(QHostAddress::LocalHost, 0); }

    HandshakeMessage Exchange(const HandshakeMessage& request)
    {
        Send(EncodeHandshake(request));
        HandshakeMessage reply;
        reply.type = HandshakeType::GetChallenge; // none yet
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                while (m_socket.hasPendingDatagrams()) {
                    const QByteArray data = m_socket.receiveDatagram().data();
                    if (auto message =
                            DecodeHandshake(reinterpret_cast<const uint8_t*>(data.constData()), size_t(data.size())))
                        reply = *message;
                }
                return reply.type != HandshakeType::GetChallenge;
            },
            5000));
        return reply;
    }
    // Connects as name; the reply's type says whether it was accepted.
    HandshakeType Connect(const std::string& name)
    {
        HandshakeMessage connect;
        connect.type = HandshakeType::Connect;
        connect.challenge = Exchange(HandshakeMessage{}).challenge;
        connect.name = name;
        return Exchange(connect).type;
    }
    void Send(const std::vector<uint8_t>& bytes)
    {
        m_socket.writeDatagram(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()),
                               QHostAddress::LocalHost, m_server);
    }
    PeerAddress Address() const
    {
        return PeerAddress{QHostAddress(QHostAddress::LocalHost).toIPv4Address(), m_socket.localPort()};
    }

private:
    QUdpSocket m_socket;
    uint16_t m_server;
};

TEST_F(Ksds, PlayersThatSendNothingAreDroppedAndTheirSlotsFreed)
{
    constexpr double kTimeout = 1.0;
    DedicatedServer server(
        Options({"+map", "ashfall", "+maxplayers", "2", "+ip", "127.0.0.1", "-port", std::to_string(kPortBlock + 8)}),
        kTimeout);
    std::string error;
    ASSERT_EQ(server.Start(error), 0) << error;
    HandshakeClient silent(server.Port());
    HandshakeClient playing(server.Port());
    HandshakeClient late(server.Port());
    ASSERT_EQ(silent.Connect("Quiet"), HandshakeType::Accept);
    // The game's own traffic (no handshake, no query) keeps a player in.
    QTimer traffic;
    QObject::connect(&traffic, &QTimer::timeout, [&] { playing.Send({1, 0, 0, 0}); });
    traffic.start(50);
    ASSERT_EQ(playing.Connect("Busy"), HandshakeType::Accept);
    EXPECT_EQ(late.Connect("Late"), HandshakeType::Reject); // full
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.State()->PlayerAt(silent.Address()) == nullptr; }, 5000));
    EXPECT_NE(server.State()->PlayerAt(playing.Address()), nullptr);
    EXPECT_EQ(server.State()->PlayerCount(), 1);
    EXPECT_TRUE(Tree().Read("ksds.log").contains("Dropped \"Quiet\""));
    EXPECT_EQ(late.Connect("Late"), HandshakeType::Accept);
    traffic.stop();
}

} // namespace
