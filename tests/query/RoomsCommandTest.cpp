// kestrel-query rooms against the loopback online service.
#include "online/service/Credentials.h"
#include "peer/online/PeerOnlineService.h"
#include "query/RoomsCommand.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ctime>

namespace {

class RoomsCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string error;
        auto keys = PeerKeys::Open("", error);
        ASSERT_TRUE(keys);
        OnlineServiceConfig config;
        config.rooms = {"Lobby", "Arena"};
        service = std::make_unique<PeerOnlineService>(config, std::move(*keys));
        ASSERT_TRUE(service->Start(error)) << error;
        credentials = (folder.path() + "/credentials").toStdString();
        const auto issued = service->Keys().IssueCredentials("Tester", int64_t(std::time(nullptr)), 3600);
        ASSERT_TRUE(SaveCredentialsFile(credentials, *issued, error)) << error;
    }

    int Run(QStringList extra)
    {
        QStringList arguments{"kestrel-query", "rooms", "--pylon",
                              "127.0.0.1:" + QString::number(service->DirectoryPort())};
        arguments += extra;
        out.clear();
        err.clear();
        return RunRoomsCommand(arguments, out, err);
    }

    QTemporaryDir folder;
    std::unique_ptr<PeerOnlineService> service;
    std::string credentials, out, err;
};

TEST_F(RoomsCommand, ListsRoomsWithAddressesAndCounts)
{
    service->ChatServer("Arena")->Say("Robot", "hi");
    ASSERT_EQ(Run({"--credentials", QString::fromStdString(credentials), "--json"}), 0) << err;
    const QJsonArray rooms = QJsonDocument::fromJson(QByteArray::fromStdString(out)).object()["rooms"].toArray();
    ASSERT_EQ(rooms.size(), 2);
    EXPECT_EQ(rooms[1].toObject()["name"].toString(), "Arena");
    EXPECT_EQ(rooms[1].toObject()["users"].toInt(), 1);
    EXPECT_EQ(rooms[1].toObject()["address"].toString(),
              "127.0.0.1:" + QString::number(service->ChatServer("Arena")->Port()));
    ASSERT_EQ(Run({"--credentials", QString::fromStdString(credentials)}), 0) << err;
    EXPECT_NE(out.find("Lobby  127.0.0.1:"), std::string::npos);
}

TEST_F(RoomsCommand, FailsWithoutCredentialsOrWithBadArguments)
{
    EXPECT_EQ(Run({"--credentials", "/nonexistent/file"}), 1);
    EXPECT_NE(err.find("not signed in"), std::string::npos);
    EXPECT_EQ(Run({"--pylon", "nowhere"}), 2);
    EXPECT_EQ(Run({"--bogus"}), 2);
}

} // namespace
