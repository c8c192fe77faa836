// kestrel-query directory against the loopback online service: a listing with the
// player's credentials, JSON, a failing service and bad arguments.
#include "online/service/Credentials.h"
#include "peer/online/PeerOnlineService.h"
#include "query/DirectoryCommand.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ctime>

namespace {

class DirectoryCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string error;
        auto keys = PeerKeys::Open("", error);
        ASSERT_TRUE(keys);
        OnlineServiceConfig config;
        config.rooms = {"Lobby", "Ünïcode Room"};
        service = std::make_unique<PeerOnlineService>(config, std::move(*keys));
        ASSERT_TRUE(service->Start(error)) << error;
        credentials = (folder.path() + "/credentials").toStdString();
        const auto issued = service->Keys().IssueCredentials("Tester", int64_t(std::time(nullptr)), 3600);
        ASSERT_TRUE(SaveCredentialsFile(credentials, *issued, error)) << error;
    }

    int Run(QStringList extra)
    {
        QStringList arguments{"kestrel-query", "directory", "--pylon",
                              "127.0.0.1:" + QString::number(service->DirectoryPort())};
        arguments += extra;
        out.clear();
        err.clear();
        return RunDirectoryCommand(arguments, out, err);
    }

    QTemporaryDir folder;
    std::unique_ptr<PeerOnlineService> service;
    std::string credentials;
    std::string out, err;
};

} // namespace

TEST_F(DirectoryCommand, ListsTheRoomsAsATableAndAsJson)
{
    ASSERT_EQ(Run({"--credentials", QString::fromStdString(credentials)}), 0) << err;
    EXPECT_NE(out.find("Lobby"), std::string::npos);
    EXPECT_NE(out.find("Ünïcode Room"), std::string::npos);
    EXPECT_EQ(service->Authentications(), 1);

    ASSERT_EQ(Run({"--credentials", QString::fromStdString(credentials), "--path", "/Kestrel", "--json"}), 0) << err;
    const QJsonObject document = QJsonDocument::fromJson(QByteArray::fromStdString(out)).object();
    EXPECT_EQ(document["path"].toString(), "/Kestrel");
    const QJsonArray entries = document["entries"].toArray();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[1].toObject()["name"].toString(), "PylonFactoryServer");
    EXPECT_EQ(entries[1].toObject()["port"].toInt(), service->FactoryPorts().front());
}

TEST_F(DirectoryCommand, AFailingServiceExitsWithOneAndItsDiagnostics)
{
    service->Faults().Set(OnlineFault::WrongNonce, -1);
    EXPECT_EQ(Run({"--credentials", QString::fromStdString(credentials)}), 1);
    EXPECT_NE(err.find("Unable to authenticate.\n"), std::string::npos);
    EXPECT_NE(err.find("Invalid secret returned by peer."), std::string::npos);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(Run({"--credentials", (folder.path() + "/missing").toUtf8()}), 1);
}

TEST_F(DirectoryCommand, BadArgumentsExitWithTwo)
{
    for (const QStringList& extra : {QStringList{"--path"}, QStringList{"--timeout", "0"}, QStringList{"--bogus", "1"}}) {
        EXPECT_EQ(Run(extra), 2) << extra.join(' ').toStdString();
        EXPECT_NE(err.find("usage: kestrel-query directory"), std::string::npos);
    }
    std::string o, e;
    EXPECT_EQ(RunDirectoryCommand({"kestrel-query", "directory"}, o, e), 2);
    EXPECT_EQ(RunDirectoryCommand({"kestrel-query", "directory", "--pylon", "127.0.0.1:0"}, o, e), 2);
}
