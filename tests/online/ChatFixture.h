#pragma once
// Chat clients against the loopback online service: each client has a view that keeps
// the lines it was shown and answers password prompts from a queue.
#include "OnlineServiceFixture.h"
#include "app/text/StringList.h"
#include "online/chat/CChatClient.h"

#include <chrono>
#include <deque>
#include <functional>

class RecordingView : public ChatView
{
public:
    void ShowLine(const std::string& text, const std::string& speaker) override
    {
        lines.push_back(speaker.empty() ? text : "<" + speaker + "> " + text);
    }
    std::optional<std::string> AskPassword(const std::string&) override
    {
        ++prompts;
        if (answers.empty())
            return std::nullopt;
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool Saw(const std::string& line) const { return std::find(lines.begin(), lines.end(), line) != lines.end(); }
    int Count(const std::string& line) const { return int(std::count(lines.begin(), lines.end(), line)); }

    std::vector<std::string> lines;
    std::deque<std::string> answers;
    int prompts = 0;
};

class ChatFixture : public OnlineServiceFixture
{
protected:
    struct Player
    {
        RecordingView view;
        std::unique_ptr<CChatClient> client;
        std::vector<std::string> printed;
    };

    void SetUp() override
    {
        OnlineServiceFixture::SetUp();
        addresses.AppendAddress(ServiceAddressList::Section::Pylon, "127.0.0.1", service->DirectoryPort());
        chatTimeouts = timeouts;
        chatTimeouts.receiveChatLogin = 1000;
    }

    Player& NewPlayer(const std::string& name)
    {
        auto player = std::make_unique<Player>();
        player->client = std::make_unique<CChatClient>(context.get(), &addresses, &player->view);
        player->client->SetPlayerName(name);
        player->client->SetTimeouts(chatTimeouts);
        Player* raw = player.get();
        player->client->SetDiagnostics([raw](const std::string& line) { raw->printed.push_back(line); });
        players.push_back(std::move(player));
        return *players.back();
    }

    // Refreshes and joins the room of that name.
    bool Enter(Player& player, const std::string& room)
    {
        if (!player.client->RefreshRooms())
            return false;
        const ChatRoom* found = player.client->Rooms().FindByName(room);
        return found && player.client->EnterRoom(*found);
    }

    // Polls every player until the condition holds or 3 s pass.
    bool PollUntil(const std::function<bool()>& condition)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (std::chrono::steady_clock::now() < end) {
            if (condition())
                return true;
            for (auto& player : players)
                if (player->client)
                    player->client->PollChat();
        }
        return condition();
    }

    PeerChatServer& Room(const std::string& name) { return *service->ChatServer(name); }

    ServiceAddressList addresses;
    ServiceTimeouts chatTimeouts;
    std::vector<std::unique_ptr<Player>> players;
};
