// kestrel-peer refuses option values that would make its replies lie or break.
#include "peer/PeerOptionChecks.h"
#include "peer/PeerOptions.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

namespace {

bool Parses(QStringList arguments, PeerOptions& options, std::string& error)
{
    arguments.prepend("kestrel-peer");
    return ParsePeerOptions(arguments, options, error);
}

} // namespace

TEST(PeerOptionChecks, ConfigFileIsReadInEitherSpelling)
{
    TempTree tree;
    tree.Write("peers.conf", "count 2\nname Joined\n[server 2]\nmap dm_two\n");
    for (const QString& form : {QString("--config=") + tree.Abs("peers.conf"), QString("--config")}) {
        PeerOptions options;
        std::string error;
        QStringList arguments{form};
        if (form == "--config")
            arguments << tree.Abs("peers.conf");
        ASSERT_TRUE(Parses(arguments, options, error)) << error;
        ASSERT_EQ(options.gameServers.size(), 2u) << form.toStdString();
        EXPECT_EQ(options.gameServers[1].name, "Joined #2");
        EXPECT_EQ(options.gameServers[1].map, "dm_two");
    }
    PeerOptions options;
    std::string error;
    EXPECT_FALSE(Parses({"--config=" + tree.Abs("missing.conf")}, options, error));
    EXPECT_NE(error.find("missing.conf"), std::string::npos);
    EXPECT_FALSE(Parses({"--config=" + tree.Abs("peers.conf"), "--config", tree.Abs("peers.conf")}, options, error));
    EXPECT_FALSE(Parses({"--config="}, options, error));
}

TEST(PeerOptionChecks, HandedOutAddressesMustBeIPv4WithAPort)
{
    for (const char* option : {"--list", "--auth", "--pylon", "--next-master"}) {
        PeerOptions options;
        std::string error;
        ASSERT_TRUE(Parses({"--master", "0", option, "127.0.0.2:27015"}, options, error)) << option << error;
        for (const char* bad : {"localhost:27015", "127.0.0:27015", "256.0.0.1:27015", "::1:27015", "[::1]:27015",
                                "127.0.0.1", "127.0.0.1:0", "127.0.0.1:65536", "127.0.0.1:x"}) {
            EXPECT_FALSE(Parses({"--master", "0", option, bad}, options, error)) << option << ' ' << bad;
            EXPECT_NE(error.find("IPv4"), std::string::npos) << error;
        }
    }
}

TEST(PeerOptionChecks, InfoTextsTypeOsAndLossAreChecked)
{
    PeerOptions options;
    std::string error;
    ASSERT_TRUE(Parses({"--type", "p", "--os", "w", "--loss", "0.5"}, options, error)) << error;
    EXPECT_EQ(options.gameServers[0].type, 'p');
    for (const QStringList& bad :
         {QStringList{"--name", "a\\b"}, QStringList{"--map", "dm_a,dm\\b"}, QStringList{"--gamedir", "v\\rel"},
          QStringList{"--type", "x"}, QStringList{"--os", "q"}, QStringList{"--loss", "nan"},
          QStringList{"--loss", "-0.1"}}) {
        EXPECT_FALSE(Parses(bad, options, error)) << bad.join(' ').toStdString();
        EXPECT_FALSE(error.empty());
    }
    TempTree tree;
    tree.Write("bad.conf", "count 1\n[server 1]\nname x\\y\n");
    EXPECT_FALSE(Parses({"--config", tree.Abs("bad.conf")}, options, error));
}

TEST(PeerOptionChecks, HandedOutQuadsWithLeadingZerosAreRefused)
{
    std::string address, error;
    int port = 0;
    EXPECT_FALSE(ReadIPv4HostPort("010.1.1.1:27015", address, port, error));
    EXPECT_FALSE(ReadIPv4HostPort("10.1.1.01:27015", address, port, error));
    ASSERT_TRUE(ReadIPv4HostPort("10.0.100.1:27015", address, port, error)) << error;
    EXPECT_EQ(address, "10.0.100.1");
    EXPECT_EQ(port, 27015);
}
