// kestrel-query's servers from masters, list files and favsvrs.dat, filtered and
// sorted with the launcher's rules.
#include "QueryPeers.h"
#include "query/ServerSources.h"

#include <QElapsedTimer>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

TEST_F(QueryPeers, ListFilesTakeCommentsAndBlankLinesAndNameTheBadLine)
{
    StartPeers({"--port", "0", "--count", "3"});
    const QString list = ListFile(
        {"# monitored servers", "", ServerAt(0) + "   # the first", "  \t", ServerAt(2) + "\r", "#" + ServerAt(1)});
    ASSERT_EQ(Run({"refresh", "--list", list, "--timeout", "0.5", "--json"}), kExitSuccess) << err;
    EXPECT_EQ(JsonPorts(), (std::vector<int>{Port(0), Port(2)}));

    for (const QString& bad : {QString("127.0.0.1:70000"), QString("[::1]:27015"), QString("two words"),
                               QString("127.0.0.1:27015:1"), QString("300.1.1.1")}) {
        const QString badList = ListFile({"# header", ServerAt(0), bad}, "bad.txt");
        EXPECT_EQ(Run({"refresh", "--list", badList}), kExitBadArguments) << bad.toStdString();
        EXPECT_NE(err.find("bad.txt, line 3: "), std::string::npos) << err;
        EXPECT_EQ(out, "");
    }
    EXPECT_EQ(Run({"refresh", "--list", tree.Abs("absent.txt")}), kExitBadArguments);
    EXPECT_NE(err.find("cannot read"), std::string::npos) << err;
}

TEST_F(QueryPeers, MastersListsAndFavouritesMergeWithoutDuplicates)
{
    StartPeers({"--port", "0", "--count", "4", "--master", "0"});
    // The master lists all four; the list file repeats two and the favourites one.
    const QString list = ListFile({ServerAt(1), ServerAt(3), ServerAt(1)});
    tree.Write("favsvrs.dat",
               QString("{\nserver\n{\n\"address\" \"127.0.0.1\"\n\"port\" \"%1\"\n\"favorite\" \"1\"\n}\n}\n")
                   .arg(Port(2))
                   .toUtf8());
    ASSERT_EQ(Run({"refresh", "--master", MasterAddress(), "--list", list, "--favorites", tree.Abs("favsvrs.dat"),
                   "--timeout", "0.5", "--sort", "-favorite,name", "--json"}),
              kExitSuccess)
        << err;
    EXPECT_EQ(JsonPorts(), (std::vector<int>{Port(2), Port(0), Port(1), Port(3)}));
    EXPECT_TRUE(Json()[0].toObject()["favorite"].toBool());

    tree.Write("damaged.dat", "{\nserver\n{\n\"port\" \n");
    EXPECT_EQ(Run({"refresh", "--favorites", tree.Abs("damaged.dat")}), kExitBadArguments);
    EXPECT_NE(err.find("damaged"), std::string::npos) << err;
}

TEST_F(QueryPeers, SeveralServersAreQueriedTogetherAndPrintedInTheOrderGiven)
{
    StartPeers({"--port", "0", "--count", "3", "--delay", "300"});
    QElapsedTimer timer;
    timer.start();
    ASSERT_EQ(Run({"info", ServerAt(2), ServerAt(0), ServerAt(1), ServerAt(0), "--json"}), kExitSuccess) << err;
    EXPECT_LT(timer.elapsed(), 800); // in parallel, not one after the other
    EXPECT_EQ(JsonPorts(), (std::vector<int>{Port(2), Port(0), Port(1)}));

    Config(0).delayMs = 0;
    Config(1).silent = true;
    EXPECT_EQ(Run({"info", ServerAt(0), ServerAt(1), "--timeout", "0.2", "--retries", "0", "--json"}), kExitNoAnswer);
    EXPECT_EQ(JsonPorts(), (std::vector<int>{Port(0)}));
    EXPECT_NE(err.find("No answer from " + ServerAt(1).toStdString()), std::string::npos) << err;
}

TEST_F(QueryPeers, EachFilterFlagHidesWhatTheLaunchersFilterHides)
{
    StartPeers({"--port", "0", "--count", "6", "--max-players", "8", "--players", "3"});
    Config(0).currentPlayers = 0; // empty
    Config(1).currentPlayers = 8; // full
    Config(2).map = "dm_other";
    Config(3).delayMs = 150; // the others answer in under a millisecond: 0 ms
    Config(4).type = 'l';
    Config(4).os = 'w';
    Config(5).type = 'p';
    QStringList all;
    for (size_t i = 0; i < 6; ++i)
        all << ServerAt(i);
    const QString list = ListFile(all);
    auto shown = [&](const QStringList& filter) {
        QStringList arguments{"refresh", "--list", list, "--timeout", "1", "--json"};
        EXPECT_EQ(Run(arguments + filter), kExitSuccess) << err;
        return JsonPorts();
    };
    const std::vector<int> ports = shown({});
    ASSERT_EQ(ports.size(), 6u);
    auto without = [&](std::initializer_list<size_t> hidden) {
        std::vector<int> kept;
        for (size_t i = 0; i < 6; ++i)
            if (std::find(hidden.begin(), hidden.end(), i) == hidden.end())
                kept.push_back(Port(i));
        return kept;
    };
    EXPECT_EQ(shown({"--not-empty"}), without({0}));
    EXPECT_EQ(shown({"--not-full"}), without({1}));
    EXPECT_EQ(shown({"--map", "DM_OTHER"}), (std::vector<int>{Port(2)}));
    EXPECT_EQ(shown({"--max-ping", "100"}), without({3}));
    EXPECT_EQ(shown({"--dedicated"}), without({4, 5}));
    EXPECT_EQ(shown({"--linux"}), without({4}));
    EXPECT_EQ(shown({"--proxies"}), (std::vector<int>{Port(5)}));
    EXPECT_EQ(shown({"--no-proxies"}), without({5}));
    EXPECT_EQ(shown({"--not-empty", "--not-full", "--linux"}), without({0, 1, 4}));
    EXPECT_EQ(Run({"refresh", "--list", list, "--proxies", "--no-proxies"}), kExitBadArguments);
}

TEST_F(QueryPeers, SortKeysOrderColumnsForwardAndBackward)
{
    StartPeers({"--port", "0", "--count", "4", "--max-players", "10"});
    const int players[] = {2, 7, 2, 5};
    const char* names[] = {"bravo", "Alpha", "charlie", "delta"};
    for (size_t i = 0; i < 4; ++i) {
        Config(i).currentPlayers = players[i];
        Config(i).name = names[i];
    }
    const QString list = ListFile({ServerAt(0), ServerAt(1), ServerAt(2), ServerAt(3)});
    auto sorted = [&](const QString& keys) {
        EXPECT_EQ(Run({"refresh", "--list", list, "--sort", keys, "--json"}), kExitSuccess) << err;
        return JsonPorts();
    };
    EXPECT_EQ(sorted("name"), (std::vector<int>{Port(1), Port(0), Port(2), Port(3)}));
    EXPECT_EQ(sorted("-name"), (std::vector<int>{Port(3), Port(2), Port(0), Port(1)}));
    EXPECT_EQ(sorted("-players,name"), (std::vector<int>{Port(1), Port(3), Port(0), Port(2)}));
    EXPECT_EQ(sorted("players,-name"), (std::vector<int>{Port(2), Port(0), Port(3), Port(1)}));
    EXPECT_EQ(Run({"refresh", "--list", list, "--sort", "name,size"}), kExitBadArguments);
    EXPECT_NE(err.find("unknown sort column: \"size\""), std::string::npos) << err;
}

TEST_F(QueryPeers, IPv6AndBadAddressesAreRefusedAtOnce)
{
    for (const QString& address : {QString("::1"), QString("[::1]:27015"), QString("fe80::1:27015"),
                                   QString("127.0.0.1:"), QString("1.2.3"), QString("host name")}) {
        QElapsedTimer timer;
        timer.start();
        EXPECT_EQ(Run({"info", address}), kExitBadArguments) << address.toStdString();
        EXPECT_LT(timer.elapsed(), 100);
    }
    EXPECT_EQ(Run({"info", "[::1]:27015"}), kExitBadArguments);
    EXPECT_NE(err.find("IPv6"), std::string::npos) << err;
    EXPECT_EQ(Run({"refresh", "--master", "::1"}), kExitBadArguments);
    std::vector<SourcedServer> named{SourcedServer{{"localhost", 27015}, false}};
    std::string error;
    ASSERT_TRUE(ResolveHostNames(named, error)) << error;
    EXPECT_EQ(named[0].address.host, "127.0.0.1");
}

TEST(ServerListText, ByteOrderMarkAndWindowsLineEndsAreRead)
{
    std::vector<SourcedServer> servers;
    std::string error;
    ASSERT_TRUE(ParseServerListText("\xEF\xBB\xBF"
                                    "10.0.0.1:27016\r\n# note\r\n10.0.0.2\r\n",
                                    servers, error))
        << error;
    ASSERT_EQ(servers.size(), 2u);
    EXPECT_EQ(servers[0].address.host, "10.0.0.1");
    EXPECT_EQ(servers[0].address.port, 27016);
    EXPECT_EQ(servers[1].address.port, QueryOptions::kDefaultServerPort);
}

TEST(ServerListText, BadLineIsQuotedWithoutTerminalControls)
{
    std::vector<SourcedServer> servers;
    std::string error;
    ASSERT_FALSE(ParseServerListText("10.0.0.1\n\x1b]2;owned\x07\xc2\x9b"
                                     "31m:27015\n",
                                     servers, error));
    EXPECT_NE(error.find("line 2: "), std::string::npos) << error;
    EXPECT_NE(error.find("owned"), std::string::npos) << error;
    EXPECT_EQ(error.find('\x1b'), std::string::npos) << error;
    EXPECT_EQ(error.find('\x07'), std::string::npos) << error;
    EXPECT_EQ(error.find("\xc2\x9b"), std::string::npos) << error;
}

TEST(ServerListText, QuadsWithLeadingZerosAreRefused)
{
    // Read as octal by the address parsers: 010 would be 8.
    for (const char* bad : {"010.1.1.1:27015", "10.01.1.1", "10.1.1.00:27015"}) {
        std::vector<SourcedServer> servers;
        std::string error;
        EXPECT_FALSE(ParseServerListText(bad, servers, error)) << bad;
    }
    std::vector<SourcedServer> servers;
    std::string error;
    EXPECT_TRUE(ParseServerListText("10.0.100.1:27015\n0.0.0.9", servers, error)) << error;
}

TEST(ServerListText, EndlessPipeIsRefusedAtTheSizeLimit)
{
    // A pipe has no size to check first: the read itself must stop.
    TempTree tree;
    const std::string pipe = tree.Abs("servers.pipe").toStdString();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    std::thread writer([pipe] {
        // The reader goes away first: the write fails instead of ending the program.
        sigset_t blocked;
        sigemptyset(&blocked);
        sigaddset(&blocked, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &blocked, nullptr);
        const int fd = open(pipe.c_str(), O_WRONLY);
        std::string lines;
        for (int i = 0; i < 4096; ++i)
            lines += "10.0.0.1:27015\n";
        while (fd >= 0 && write(fd, lines.data(), lines.size()) > 0) {
        }
        close(fd);
    });
    std::vector<SourcedServer> servers;
    std::string error;
    EXPECT_FALSE(ReadServerListFile(pipe, servers, error));
    EXPECT_NE(error.find("larger than"), std::string::npos) << error;
    writer.join();
}
