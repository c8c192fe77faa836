// kestrel-query rooms against the loopback online service.
#include "query/RoomsCommand.h"
#include "OnlineServiceCommand.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

class RoomsCommand : public OnlineServiceCommand
{
protected:
    void SetUp() override { StartService({"Lobby", "Arena"}); }
    int Run(const QStringList& extra) { return RunCommand(&RunRoomsCommand, "rooms", extra); }
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
