#include "online/chat/ChatRoom.h"

#include "app/files/SearchPath.h"
#include "online/chat/ChatMessages.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <cctype>

ChatRoom* ChatRoomList::Add(const std::string& name, const std::string& topic, const std::string& address,
                            const std::string& password)
{
    if (ChatRoom* existing = FindByName(name)) {
        if (!password.empty() && password != existing->password)
            existing->password = password.substr(0, ChatMessages::kMaxPassword);
        return existing;
    }
    if (m_rooms.size() >= kMaxRooms)
        return nullptr;
    ChatRoom room;
    room.name = ChatMessages::CleanName(name, ChatRoom::kMaxName);
    room.topic = ChatMessages::CleanName(topic, ChatRoom::kMaxTopic);
    room.address = address.substr(0, ChatRoom::kMaxAddress);
    room.password = password.substr(0, ChatMessages::kMaxPassword);
    m_rooms.push_back(std::move(room));
    return &m_rooms.back();
}

ChatRoom* ChatRoomList::FindByAddress(const std::string& address)
{
    for (ChatRoom& room : m_rooms)
        if (room.address == address)
            return &room;
    return nullptr;
}

ChatRoom* ChatRoomList::FindByName(const std::string& name)
{
    for (ChatRoom& room : m_rooms)
        if (SameText(room.name, name))
            return &room;
    return nullptr;
}

ChatRoom* ChatRoomList::FindByPrefix(const std::string& prefix)
{
    for (ChatRoom& room : m_rooms)
        if (StartsWithText(room.name, prefix))
            return &room;
    return nullptr;
}

CChatUser::CChatUser(uint32_t id, std::string name) : m_id(id)
{
    SetName(std::move(name));
}

void CChatUser::SetName(std::string name)
{
    m_name = ChatMessages::CleanName(name, kMaxName);
}

std::string CChatUser::ListText() const
{
    return " " + (m_name.empty() ? std::string("?") : m_name);
}

std::vector<std::string> ParsePermanentRooms(const std::string& text)
{
    std::vector<std::string> names;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            break;
        names.push_back(ChatMessages::CleanName(line, ChatRoom::kMaxName));
        start = end + 1;
    }
    return names;
}

std::vector<std::string> LoadPermanentRooms(const std::string& fileName)
{
    int64_t length = 0;
    const auto bytes = LoadFile(fileName, &length);
    if (!bytes)
        return {};
    return ParsePermanentRooms(std::string(bytes.get(), size_t(length)));
}

int PermanentIndex(const std::vector<std::string>& permanent, const std::string& name)
{
    for (size_t i = 0; i < permanent.size(); ++i) {
        const std::string& entry = permanent[i];
        if (SameText(entry, name) || (StartsWithText(entry, "Lobby") && StartsWithText(name, entry)))
            return int(i);
    }
    return -1;
}

void SplitAddress(const std::string& address, uint16_t defaultPort, std::string& host, uint16_t& port)
{
    const size_t colon = address.rfind(':');
    host = address.substr(0, colon);
    port = defaultPort;
    if (colon == std::string::npos)
        return;
    const int32_t value = ParseInt(address.substr(colon + 1));
    if (value > 0 && value <= 65535)
        port = uint16_t(value);
}
