// kestrel-query's custom-game commands against kestrel-peer and a loopback web site:
// the list with counts as JSON, and a scripted install with its exit codes.
#include "LoopbackSite.h"
#include "ZipBuilder.h"
#include "peer/PeerNetwork.h"
#include "query/QueryRunner.h"
#include "support/TempTree.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

struct ModPeers
{
    explicit ModPeers(std::vector<std::vector<std::pair<std::string, std::string>>> games)
    {
        PeerOptions options;
        ModMasterConfig mods;
        mods.port = 0;
        mods.games = std::move(games);
        mods.counts = {{"sky", 4, 17}};
        options.modMaster = mods;
        MasterServerConfig master;
        master.port = 0;
        options.master = master;
        std::string error;
        started = network.Start(options, error);
    }
    QString ModMaster() { return "127.0.0.1:" + QString::number(network.ModMaster()->Port()); }
    QString Master() { return "127.0.0.1:" + QString::number(network.Master()->Port()); }
    PeerNetwork network;
    bool started = false;
};

} // namespace

TEST(QueryMods, ListsEveryKeyWithCountsAsJson)
{
    ModPeers peers({{{"game", "Sky"}, {"gamedir", "sky"}, {"version", "3"}, {"size", "12"}, {"url_dl", "h/x"}},
                    {{"game", "Bad"}, {"gamedir", "../bad"}}});
    ASSERT_TRUE(peers.started);
    std::string out, err;
    ASSERT_EQ(RunKestrelQuery({"kestrel-query", "mods", "--modmaster", peers.ModMaster(), "--master", peers.Master(),
                               "--json"},
                              out, err, false),
              kExitSuccess)
        << err;
    const QJsonArray games = QJsonDocument::fromJson(QByteArray::fromStdString(out)).array();
    ASSERT_EQ(games.size(), 1);
    const QJsonObject sky = games[0].toObject();
    EXPECT_EQ(sky["game"].toString(), "Sky");
    EXPECT_EQ(sky["version"].toString(), "3");
    EXPECT_EQ(sky["size"].toString(), "12");
    EXPECT_EQ(sky["url_dl"].toString(), "h/x");
    EXPECT_EQ(sky["servers"].toString(), "4");
    EXPECT_EQ(sky["players"].toString(), "17");
    EXPECT_EQ(sky["installed"].toString(), "0");
}

TEST(QueryMods, InstallsAGameFromTheWebAndSaysSoInItsExitCode)
{
    TempTree site;
    TempTree home;
    QDir().mkpath(site.Abs("dl"));
    ASSERT_TRUE(WriteZip(site.Abs("dl/sky.zip"), {{"liblist.gam", "game Sky gamedll x"}, {"maps/a.bsp", "a"}}));
    LoopbackSite http(LoopbackSite::Http, site.Path());
    ASSERT_NE(http.Port(), 0);
    const std::string base = "http://127.0.0.1:" + std::to_string(http.Port()) + "/dl/";
    ModPeers peers({{{"game", "Sky"}, {"gamedir", "sky"}, {"url_dl", base + "sky.zip"}, {"*uniqueid", "77"}},
                    {{"game", "Gone"}, {"gamedir", "gone"}, {"url_dl", base + "gone.zip"}}});
    ASSERT_TRUE(peers.started);

    std::string out, err;
    EXPECT_EQ(RunKestrelQuery({"kestrel-query", "install", "sky", "--modmaster", peers.ModMaster(), "--home",
                               home.Path()},
                              out, err, false),
              kExitSuccess)
        << err;
    EXPECT_EQ(home.Read("sky/maps/a.bsp"), "a");
    EXPECT_EQ(RunKestrelQuery({"kestrel-query", "install", "gone", "--modmaster", peers.ModMaster(), "--home",
                               home.Path()},
                              out, err, false),
              kExitNoAnswer);
    EXPECT_FALSE(home.Exists("gone"));
    EXPECT_EQ(RunKestrelQuery({"kestrel-query", "install", "sky", "--home", home.Path()}, out, err, false),
              kExitBadArguments);
    EXPECT_EQ(RunKestrelQuery({"kestrel-query", "install", "--modmaster", peers.ModMaster()}, out, err, false),
              kExitBadArguments);
    const QDeadlineTimer deadline(5000);
    while (peers.network.ModMaster()->Notices().empty() && !deadline.hasExpired())
        QCoreApplication::processEvents();
    ASSERT_EQ(peers.network.ModMaster()->Notices().size(), 1u);
    EXPECT_EQ(peers.network.ModMaster()->Notices()[0], 77);
}
