#pragma once
// The rooms of the online service's chat: one record per room (a chat server), the
// room list (names unique ignoring case, at most kMaxRooms), the permanent room list
// "rooms.lst" and the players in the current room.
#include "app/text/TextCase.h"

#include <cstdint>
#include <string>
#include <vector>

struct ChatRoom
{
    static constexpr size_t kMaxName = 63;
    static constexpr size_t kMaxTopic = 127;
    static constexpr size_t kMaxAddress = 127;
    static constexpr int kTries = 3;

    std::string name;
    std::string topic;
    // "host:port" of the chat server.
    std::string address;
    std::string password;
    uint32_t users = 0;
    int permanentIndex = -1;
    bool createdHere = false;
    uint16_t tag = 0;
    int triesLeft = kTries;
    double lastQuery = -1e9;
    bool answered = false;
};

class ChatRoomList
{
public:
    static constexpr size_t kMaxRooms = 512;

    // Adds a room, or returns the one of that name (any case), whose password is
    // replaced by a different non-empty one. Null when the list is full.
    ChatRoom* Add(const std::string& name, const std::string& topic, const std::string& address,
                  const std::string& password);
    ChatRoom* FindByAddress(const std::string& address);
    ChatRoom* FindByName(const std::string& name);
    // The first room whose name starts with prefix (any case).
    ChatRoom* FindByPrefix(const std::string& prefix);
    std::vector<ChatRoom>& Rooms() { return m_rooms; }
    const std::vector<ChatRoom>& Rooms() const { return m_rooms; }
    size_t Size() const { return m_rooms.size(); }
    void Clear() { m_rooms.clear(); }

private:
    std::vector<ChatRoom> m_rooms;
};

// One player in the current room, as the chat server numbers them.
class CChatUser
{
public:
    static constexpr size_t kMaxName = 255;
    CChatUser(uint32_t id, std::string name);
    virtual ~CChatUser() = default;
    uint32_t Id() const { return m_id; }
    const std::string& Name() const { return m_name; }
    void SetName(std::string name);
    // " name", or " ?" for an empty name.
    std::string ListText() const;

private:
    uint32_t m_id;
    std::string m_name;
};

// "rooms.lst": one room name a line (cut to 63 characters); a blank line ends it.
std::vector<std::string> ParsePermanentRooms(const std::string& text);
// Through the game file search; empty when missing.
std::vector<std::string> LoadPermanentRooms(const std::string& fileName = "rooms.lst");
// The index of the first list name equal to name (any case), or that name begins with
// when the list name begins with "Lobby"; -1 when none.
int PermanentIndex(const std::vector<std::string>& permanent, const std::string& name);
// "host:port"; a missing or bad port gives defaultPort.
void SplitAddress(const std::string& address, uint16_t defaultPort, std::string& host, uint16_t& port);
