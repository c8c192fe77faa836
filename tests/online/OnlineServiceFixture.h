#pragma once
// The loopback online service in-process, a signed-in player's context and requests
// with short time-outs whose diagnostic lines are collected.
#include "online/service/AuthContext.h"
#include "online/service/DirRequest.h"
#include "online/service/FactoryRequest.h"
#include "peer/online/PeerOnlineService.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

class OnlineServiceFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string error;
        auto keys = PeerKeys::Open("", error);
        ASSERT_TRUE(keys) << error;
        OnlineServiceConfig config;
        config.rooms = {"Lobby", "Arena"};
        service = std::make_unique<PeerOnlineService>(config, std::move(*keys));
        ASSERT_TRUE(service->Start(error)) << error;
        const auto credentials =
            service->Keys().IssueCredentials("Tester", int64_t(std::time(nullptr)), PeerKeys::kDefaultPlayerLifetime);
        ASSERT_TRUE(credentials);
        context = std::make_unique<AuthContext>(*credentials);
        timeouts.connect = 1000;
        timeouts.sendRequest = 1000;
        timeouts.receiveReply = 300;
        directory = MakeRequest<DirRequest>(service->DirectoryPort());
    }

    template <typename Request>
    std::unique_ptr<Request> MakeRequest(uint16_t port)
    {
        auto request = std::make_unique<Request>("127.0.0.1", port);
        request->SetTimeouts(timeouts);
        request->SetDiagnostics([this](const std::string& line) { lines.push_back(line); });
        request->SetAuth(context.get(), true, true, true);
        return request;
    }

    uint32_t List(const std::u16string& path = u"/Kestrel/Public")
    {
        reader = ReadBuffer();
        return directory->GetDirectory(path, reader);
    }

    int Count(const std::string& line) const { return int(std::count(lines.begin(), lines.end(), line)); }

    std::unique_ptr<PeerOnlineService> service;
    std::unique_ptr<AuthContext> context;
    ServiceTimeouts timeouts;
    std::unique_ptr<DirRequest> directory;
    std::vector<std::string> lines;
    ReadBuffer reader;
};
