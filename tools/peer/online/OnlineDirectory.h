#pragma once
// What the loopback directory servers list: "/Kestrel/Public" holds the rooms (their
// chat servers), "/Kestrel" the directory "Public" and the factory servers. Shared by
// the connection threads.
#include "online/buffers/WriteBuffer.h"
#include "peer/online/PeerChatServer.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct PeerRoom
{
    std::string name;
    std::string password;
    uint16_t port = 0;
    bool permanent = false;
};

struct OnlineServiceState;

class OnlineDirectory
{
public:
    // The service whose keys and faults the chat servers use.
    void Attach(OnlineServiceState& state) { m_state = &state; }
    static constexpr const char16_t* kRoomsPath = u"/Kestrel/Public";
    static constexpr const char16_t* kFactoriesPath = u"/Kestrel";
    static constexpr size_t kMaxRooms = 512;

    void AddFactory(uint16_t port);
    // Starts a chat server for a new room; its port, or 0 when none could start.
    uint16_t StartRoom(const std::string& name, const std::string& password, bool permanent, std::string& error);
    std::vector<PeerRoom> Rooms() const;
    // The chat server of a room by name, null when none (servers live as long as the
    // directory).
    PeerChatServer* ChatServer(const std::string& name) const;

    // Appends the status, the count and the entries for path; false for an unknown path.
    // extraCount is added to the count written (a reply that claims more than it holds).
    bool AppendListing(const std::u16string& path, WriteBuffer& body, uint16_t extraCount) const;

private:
    OnlineServiceState* m_state = nullptr;
    mutable std::mutex m_mutex;
    std::vector<std::unique_ptr<PeerChatServer>> m_chatServers;
    std::vector<PeerRoom> m_rooms;
    std::vector<uint16_t> m_factories;
};
