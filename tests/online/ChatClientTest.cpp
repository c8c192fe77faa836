// The chat client against kestrel-peer's loopback chat servers.
#include "ChatFixture.h"
#include "online/chat/ChatMessages.h"
#include "online/service/EasySocket.h"
#include "online/service/SocketResult.h"

#include <arpa/inet.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

namespace {

using Rooms = ChatFixture;

TEST_F(Rooms, RefreshListsRoomsWithTheirUserCounts)
{
    Room("Arena").Say("Robot", "hello");
    Room("Lobby").SetExtraUsers(7);
    Player& player = NewPlayer("Ann");
    ASSERT_TRUE(player.client->RefreshRooms());
    ChatRoomList& rooms = player.client->Rooms();
    ASSERT_EQ(rooms.Size(), 2u);
    ASSERT_NE(rooms.FindByName("arena"), nullptr);
    EXPECT_EQ(rooms.FindByName("Arena")->users, 1u);
    EXPECT_EQ(rooms.FindByName("Lobby")->users, 7u);
    EXPECT_EQ(rooms.FindByName("Lobby")->topic, "No topic");
    EXPECT_EQ(rooms.FindByName("Lobby")->address, "127.0.0.1:" + std::to_string(Room("Lobby").Port()));
}

TEST_F(Rooms, SilentRoomIsAskedThreeTimesAndLeftAtZero)
{
    service->Faults().Set(OnlineFault::ChatSilent, -1);
    Room("Lobby").SetExtraUsers(5);
    Player& player = NewPlayer("Ann");
    ASSERT_TRUE(player.client->RefreshRooms());
    EXPECT_EQ(Room("Lobby").StatusQueries(), 3);
    EXPECT_EQ(Room("Arena").StatusQueries(), 3);
    EXPECT_EQ(player.client->Rooms().FindByName("Lobby")->users, 0u);
    EXPECT_FALSE(player.client->Rooms().FindByName("Lobby")->answered);
}

// The local ports of this process's datagram sockets.
std::set<uint16_t> OwnDatagramPorts()
{
    std::set<std::string> inodes;
    for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        const std::string target = std::filesystem::read_symlink(fd.path(), error).string();
        if (!error && target.rfind("socket:[", 0) == 0)
            inodes.insert(target.substr(8, target.size() - 9));
    }
    std::set<uint16_t> ports;
    std::ifstream table("/proc/net/udp");
    std::string line;
    std::getline(table, line);
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string slot, local, remote, state, queues, timer, retransmits, uid, timeout, inode;
        fields >> slot >> local >> remote >> state >> queues >> timer >> retransmits >> uid >> timeout >> inode;
        if (inodes.count(inode) && local.size() > 9)
            ports.insert(uint16_t(std::stoul(local.substr(9), nullptr, 16)));
    }
    return ports;
}

TEST_F(Rooms, StatusRepliesFromAnotherPortNeitherCountNorHoldTheRefresh)
{
    service->Faults().Set(OnlineFault::ChatSilent, -1);
    Player& player = NewPlayer("Ann");
    const std::set<uint16_t> before = OwnDatagramPorts();
    std::atomic<bool> done{false};
    bool refreshed = false;
    const auto start = std::chrono::steady_clock::now();
    std::thread refresh([&] {
        refreshed = player.client->RefreshRooms();
        done = true;
    });
    // Replies with every room's tag flood the client's socket from a port no room has.
    uint16_t target = 0;
    while (!done && target == 0)
        for (uint16_t port : OwnDatagramPorts())
            if (!before.count(port))
                target = port;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(target);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const auto floodEnd = start + std::chrono::seconds(6);
    auto flood = [&] {
        EasySocket socket(EasySocket::kDatagram);
        if (socket.Open() != ES_NO_ERROR)
            return;
        WriteBuffer replies[4] = {WriteBuffer(8), WriteBuffer(8), WriteBuffer(8), WriteBuffer(8)};
        for (uint16_t tag = 0; tag < 4; ++tag)
            ChatMessages::ComposeStatusReply(replies[tag], tag, 999);
        for (unsigned i = 0; target != 0 && !done && std::chrono::steady_clock::now() < floodEnd; ++i)
            ::sendto(socket.Handle(), replies[i % 4].Data(), replies[i % 4].Size(), 0,
                     reinterpret_cast<const sockaddr*>(&to), sizeof to);
    };
    std::thread second(flood);
    flood();
    second.join();
    refresh.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
    ASSERT_TRUE(refreshed);
    EXPECT_NE(target, 0);
    EXPECT_EQ(player.client->Rooms().FindByName("Lobby")->users, 0u);
    EXPECT_EQ(player.client->Rooms().FindByName("Arena")->users, 0u);
    EXPECT_EQ(Room("Lobby").StatusQueries(), 3);
}

TEST_F(Rooms, RefreshWithoutCredentialsFails)
{
    Player& player = NewPlayer("Ann");
    AuthContext nobody(std::string("/nonexistent/credentials"));
    CChatClient client(&nobody, &addresses, &player.view);
    EXPECT_FALSE(client.RefreshRooms());
    EXPECT_FALSE(client.JoinRoom());
    EXPECT_EQ(client.CreateRoom("Mine"), 0);
    EXPECT_EQ(player.view.Count(FormatString(453)), 3);
}

TEST_F(Rooms, CreatingARoomJoinsIt)
{
    Player& player = NewPlayer("Ann");
    const uint16_t port = player.client->CreateRoom("Lobby Den");
    ASSERT_NE(port, 0);
    ASSERT_NE(service->ChatServer("Den"), nullptr);
    EXPECT_EQ(service->ChatServer("Den")->Port(), port);
    ASSERT_TRUE(player.client->JoinRoom());
    EXPECT_TRUE(player.client->IsLive());
    EXPECT_EQ(service->ChatServer("Den")->Users(), 1u);
    ASSERT_NE(player.client->CurrentRoom(), nullptr);
    EXPECT_TRUE(player.client->CurrentRoom()->createdHere);
    EXPECT_EQ(player.client->CurrentRoom()->topic, "Den");
}

TEST_F(Rooms, CreateRefusesPermanentNamesAndUnsafePasswords)
{
    Player& player = NewPlayer("Ann");
    player.client->SetPermanentRooms({"Lobby", "Arena"});
    EXPECT_EQ(player.client->CreateRoom("arena"), 0);
    EXPECT_EQ(player.client->CreateRoom("Den -pass two words"), 0);
    EXPECT_EQ(player.client->CreateRoom("Den -pass \"q\""), 0);
    EXPECT_EQ(player.client->CreateRoom("Den -pass -x"), 0);
    EXPECT_EQ(player.client->CreateRoom("Den -pass " + std::string(32, 'p')), 0);
    EXPECT_EQ(player.client->CreateRoom("Den -pass a\xC2\x85" "b"), 0);     // next line (C1 control)
    EXPECT_EQ(player.client->CreateRoom("Den -pass a\xC2\xA0" "b"), 0);     // no-break space
    EXPECT_EQ(player.client->CreateRoom("Den -pass a\xE2\x80\xAE" "b"), 0); // right-to-left override
    EXPECT_EQ(service->Rooms().size(), 2u);
    EXPECT_NE(player.client->CreateRoom("Den -pass " + std::string(31, 'p')), 0);
    EXPECT_EQ(service->ChatServer("Den")->Password(), std::string(31, 'p'));
}

TEST_F(Rooms, PasswordRoomPromptsAndRetriesOnTheSameConnection)
{
    Player& owner = NewPlayer("Ann");
    ASSERT_NE(owner.client->CreateRoom("Den -pass secret"), 0);
    ASSERT_TRUE(owner.client->JoinRoom());
    EXPECT_EQ(owner.view.prompts, 0);

    Player& guest = NewPlayer("Bob");
    guest.view.answers = {"wrong", "secret"};
    ASSERT_TRUE(guest.client->RefreshRooms());
    const int authenticationsBefore = service->Authentications();
    ASSERT_TRUE(guest.client->EnterRoom(*guest.client->Rooms().FindByName("Den")));
    EXPECT_EQ(guest.view.prompts, 2);
    EXPECT_EQ(service->Authentications() - authenticationsBefore, 1);
    EXPECT_EQ(service->ChatServer("Den")->Users(), 2u);
}

TEST_F(Rooms, EmptyPasswordEndsTheJoinWithoutFurtherAttempts)
{
    Player& owner = NewPlayer("Ann");
    ASSERT_NE(owner.client->CreateRoom("Den -pass secret"), 0);
    Player& guest = NewPlayer("Bob");
    guest.view.answers = {""};
    ASSERT_TRUE(guest.client->RefreshRooms());
    const int loginsBefore = service->ChatServer("Den")->Logins();
    EXPECT_FALSE(guest.client->EnterRoom(*guest.client->Rooms().FindByName("Den")));
    EXPECT_EQ(service->ChatServer("Den")->Logins() - loginsBefore, 1);
    EXPECT_EQ(guest.view.prompts, 1);
    EXPECT_TRUE(guest.view.Saw(FormatString(415, "Den")));
    EXPECT_EQ(guest.client->CurrentRoom(), nullptr);
}

using Chatting = ChatFixture;

TEST_F(Chatting, LinesEchoToEveryMemberIncludingTheSender)
{
    Player& ann = NewPlayer("Ann");
    Player& bob = NewPlayer("Bob");
    ASSERT_TRUE(Enter(ann, "Lobby"));
    ASSERT_TRUE(Enter(bob, "Lobby"));
    ann.client->EnterLine("hello there");
    EXPECT_TRUE(PollUntil([&] { return ann.view.Saw("<Ann> hello there") && bob.view.Saw("<Ann> hello there"); }));
}

TEST_F(Chatting, UsersArriveAndLeave)
{
    Player& ann = NewPlayer("Ann");
    ASSERT_TRUE(Enter(ann, "Lobby"));
    ASSERT_EQ(ann.client->Users().size(), 1u);
    Player& bob = NewPlayer("Bob");
    ASSERT_TRUE(Enter(bob, "Lobby"));
    ASSERT_TRUE(PollUntil([&] { return ann.client->Users().size() == 2 && bob.client->Users().size() == 2; }));
    EXPECT_EQ(ann.client->Users().front().Name(), "Bob");
    const uint32_t bobId = bob.client->OwnId();
    bob.client.reset();
    ASSERT_TRUE(PollUntil([&] { return ann.client->Users().size() == 1; }));
    EXPECT_EQ(ann.client->FindUser(bobId), nullptr);
}

TEST_F(Chatting, ActionLinesAndPlainSpeech)
{
    Player& ann = NewPlayer("Ann");
    ASSERT_TRUE(Enter(ann, "Lobby"));
    Room("Lobby").Say("Robot", "/me\r\n");
    Room("Lobby").Say("Robot", "/me");
    Room("Lobby").Say("Robot", "/ME waves\r\n");
    ASSERT_TRUE(PollUntil([&] { return ann.view.Saw("Robot waves"); }));
    EXPECT_TRUE(ann.view.Saw("Robot "));
    EXPECT_TRUE(ann.view.Saw("<Robot> /me"));
}

TEST_F(Chatting, JoinCommandAllowsEightyNineUsersAndRefusesNinety)
{
    Player& ann = NewPlayer("Ann");
    Room("Arena").SetExtraUsers(89);
    ASSERT_TRUE(ann.client->RefreshRooms());
    ann.client->EnterLine("/join are");
    EXPECT_TRUE(ann.view.Saw(FormatString(447, "are")));
    EXPECT_TRUE(ann.client->IsLive());
    EXPECT_EQ(ann.client->ServerPort(), Room("Arena").Port());

    Room("Lobby").SetExtraUsers(90);
    ASSERT_TRUE(ann.client->RefreshRooms());
    ann.client->EnterLine("/join lob");
    EXPECT_TRUE(ann.view.Saw(FormatString(456, "Lobby", 90)));
    EXPECT_EQ(ann.client->ServerPort(), Room("Arena").Port());
    ann.client->EnterLine("/join nowhere");
    EXPECT_TRUE(ann.view.Saw(FormatString(455)));
}

TEST_F(Chatting, RoomsAndFindCommands)
{
    Player& ann = NewPlayer("Ann");
    ASSERT_TRUE(Enter(ann, "Lobby"));
    Room("Arena").Say("Robot", "hi");
    ASSERT_TRUE(ann.client->RefreshRooms());
    ann.client->EnterLine("/rooms");
    EXPECT_TRUE(ann.view.Saw("Rooms"));
    EXPECT_TRUE(ann.view.Saw("Arena:  127.0.0.1:" + std::to_string(Room("Arena").Port()) + ", 1 -1"));
    ann.client->EnterLine("/find robot");
    EXPECT_TRUE(ann.view.Saw(FormatString(452, "robot", "Arena")));
    ann.client->EnterLine("/find nobody");
    EXPECT_TRUE(ann.view.Saw(FormatString(451, "nobody")));
}

TEST_F(Chatting, FloodLimitDelaysFollowTheLineLength)
{
    Player& ann = NewPlayer("Ann");
    ASSERT_TRUE(Enter(ann, "Lobby"));
    double now = 100;
    ann.client->SetClock([&] { return now; });
    const std::string tooFast = FormatString(448);
    auto send = [&](size_t n) {
        const std::string line(n, 'x');
        return ann.client->SendChatLine(reinterpret_cast<const uint8_t*>(line.data()), uint32_t(line.size()));
    };
    EXPECT_TRUE(send(19));
    now += 0.09;
    EXPECT_FALSE(send(19));
    now += 0.01;
    EXPECT_TRUE(send(20));
    now += 0.2;
    EXPECT_FALSE(send(5));
    now += 0.05;
    EXPECT_TRUE(send(40));
    now += 0.45;
    EXPECT_FALSE(send(5));
    now += 0.05;
    EXPECT_TRUE(send(5));
    EXPECT_EQ(ann.view.Count(tooFast), 3);
}

using Faults = ChatFixture;

TEST_F(Faults, ServerClosingTheConnectionLeadsToOneReconnect)
{
    service->Faults().Set(OnlineFault::ChatCloseMidMessage, 1);
    Player& ann = NewPlayer("Ann");
    ASSERT_TRUE(Enter(ann, "Lobby"));
    ASSERT_TRUE(PollUntil([&] { return ann.view.Saw(FormatString(414)); }));
    EXPECT_EQ(ann.view.Count(FormatString(412)), 1);
    EXPECT_TRUE(ann.client->IsLive());
    EXPECT_EQ(Room("Lobby").Logins(), 2);
    EXPECT_EQ(ann.client->ReconnectsLeft(), CChatClient::kReconnects);
}

TEST_F(Faults, MalformedMessageDropsTheConnectionAndReconnects)
{
    service->Faults().Set(OnlineFault::ChatMalformed, 1);
    Player& ann = NewPlayer("Ann");
    ASSERT_TRUE(Enter(ann, "Lobby"));
    ASSERT_TRUE(PollUntil([&] { return ann.view.Saw(FormatString(414)); }));
    EXPECT_EQ(std::count(ann.printed.begin(), ann.printed.end(), "Invalid message received.\n"), 1);
    EXPECT_TRUE(ann.client->IsLive());
}

TEST_F(Faults, HugeUserListIsCapped)
{
    service->Faults().Set(OnlineFault::ChatHugeUserList, 1);
    Player& ann = NewPlayer("Ann");
    ASSERT_TRUE(Enter(ann, "Lobby"));
    ASSERT_TRUE(PollUntil([&] { return ann.client->Users().size() >= ChatMessages::kMaxUsers; }));
    for (int i = 0; i < 20; ++i)
        ann.client->PollChat();
    EXPECT_EQ(ann.client->Users().size(), ChatMessages::kMaxUsers);
    EXPECT_TRUE(ann.client->IsLive());
}

TEST_F(Faults, RepeatedIdsReplaceTheName)
{
    service->Faults().Set(OnlineFault::ChatDuplicateIds, 1);
    Player& ann = NewPlayer("Ann");
    ASSERT_TRUE(Enter(ann, "Lobby"));
    ASSERT_TRUE(PollUntil([&] { return ann.client->FindUser(9001) != nullptr; }));
    EXPECT_EQ(ann.client->Users().size(), 2u);
    EXPECT_EQ(ann.client->FindUser(9001)->Name(), "Twin renamed");
    EXPECT_EQ(ann.client->FindUser(ann.client->OwnId())->Name(), "Impostor");
}

TEST_F(Faults, ControlCharactersAreRemovedFromNamesAndText)
{
    service->Faults().Set(OnlineFault::ChatControlText, 1);
    Player& ann = NewPlayer("Ann");
    ASSERT_TRUE(Enter(ann, "Lobby"));
    ASSERT_TRUE(PollUntil([&] { return ann.view.lines.size() > 0 && ann.view.lines.back().find("evil") != std::string::npos; }));
    EXPECT_EQ(ann.view.lines.back(), "<Mallory<b>> <b>bold</b><i>x</i>evil");
    EXPECT_TRUE(ann.client->IsLive());
}

} // namespace
