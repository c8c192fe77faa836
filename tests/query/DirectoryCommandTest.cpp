// kestrel-query directory against the loopback online service: a listing with the
// player's credentials, JSON, a failing service and bad arguments.
#include "query/DirectoryCommand.h"
#include "OnlineServiceCommand.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

class DirectoryCommand : public OnlineServiceCommand
{
protected:
    void SetUp() override { StartService({"Lobby", "Ünïcode Room"}); }
    int Run(const QStringList& extra) { return RunCommand(&RunDirectoryCommand, "directory", extra); }
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
    for (const QStringList& extra :
         {QStringList{"--path"}, QStringList{"--timeout", "0"}, QStringList{"--bogus", "1"}}) {
        EXPECT_EQ(Run(extra), 2) << extra.join(' ').toStdString();
        EXPECT_NE(err.find("usage: kestrel-query directory"), std::string::npos);
    }
    std::string o, e;
    EXPECT_EQ(RunDirectoryCommand({"kestrel-query", "directory"}, o, e), 2);
    EXPECT_EQ(RunDirectoryCommand({"kestrel-query", "directory", "--pylon", "127.0.0.1:0"}, o, e), 2);
}
