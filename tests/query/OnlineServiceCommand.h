#pragma once
// A loopback online service with the given rooms and a credentials file issued by it,
// for the kestrel-query commands that ask the service.
#include "online/service/Credentials.h"
#include "peer/online/PeerOnlineService.h"

#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class OnlineServiceCommand : public ::testing::Test
{
protected:
    using Command = std::function<int(const QStringList&, std::string&, std::string&)>;

    void StartService(std::vector<std::string> rooms)
    {
        std::string error;
        auto keys = PeerKeys::Open("", error);
        ASSERT_TRUE(keys);
        OnlineServiceConfig config;
        config.rooms = std::move(rooms);
        service = std::make_unique<PeerOnlineService>(config, std::move(*keys));
        ASSERT_TRUE(service->Start(error)) << error;
        credentials = (folder.path() + "/credentials").toStdString();
        const auto issued = service->Keys().IssueCredentials("Tester", int64_t(std::time(nullptr)), 3600);
        ASSERT_TRUE(SaveCredentialsFile(credentials, *issued, error)) << error;
    }

    // Runs "kestrel-query <name> --pylon <the service> <extra...>".
    int RunCommand(const Command& command, const QString& name, const QStringList& extra)
    {
        QStringList arguments{"kestrel-query", name, "--pylon",
                              "127.0.0.1:" + QString::number(service->DirectoryPort())};
        arguments += extra;
        out.clear();
        err.clear();
        return command(arguments, out, err);
    }

    QTemporaryDir folder;
    std::unique_ptr<PeerOnlineService> service;
    std::string credentials;
    std::string out, err;
};
