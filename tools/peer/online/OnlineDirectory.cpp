#include "peer/online/OnlineDirectory.h"

#include <QString>

namespace {

constexpr uint32_t kLoopback = 0x7F000001;

void AppendEntryStart(WriteBuffer& body, uint8_t kind, const std::u16string& name, const std::u16string& display)
{
    body.AppendByte(kind);
    body.AppendWString(u"");
    body.AppendWString(name);
    body.AppendWString(display);
    body.AppendLong(0);
    body.AppendLong(0);
}

void AppendService(WriteBuffer& body, const std::u16string& name, const std::u16string& display, uint16_t port)
{
    AppendEntryStart(body, 'S', name, display);
    body.AppendWString(u"");
    body.AppendWString(u"");
    body.AppendWString(u"");
    body.AppendShort(0);
    const uint8_t address[] = {uint8_t(port >> 8), uint8_t(port), uint8_t(kLoopback >> 24), uint8_t(kLoopback >> 16),
                               uint8_t(kLoopback >> 8), uint8_t(kLoopback)};
    body.Append(address, sizeof address);
    body.AppendShort(0);
}

std::u16string Wide(const std::string& text)
{
    return QString::fromStdString(text).toStdU16String();
}

} // namespace

void OnlineDirectory::AddFactory(uint16_t port)
{
    std::lock_guard lock(m_mutex);
    m_factories.push_back(port);
}

uint16_t OnlineDirectory::StartRoom(const std::string& name, const std::string& password, bool permanent,
                                    std::string& error)
{
    std::lock_guard lock(m_mutex);
    if (m_rooms.size() >= kMaxRooms) {
        error = "too many rooms";
        return 0;
    }
    auto server = std::make_unique<PeerChatServer>(*m_state, name, password);
    if (!server->Start(0, error))
        return 0;
    m_rooms.push_back(PeerRoom{name, password, server->Port(), permanent});
    m_chatServers.push_back(std::move(server));
    return m_rooms.back().port;
}

std::vector<PeerRoom> OnlineDirectory::Rooms() const
{
    std::lock_guard lock(m_mutex);
    return m_rooms;
}

PeerChatServer* OnlineDirectory::ChatServer(const std::string& name) const
{
    std::lock_guard lock(m_mutex);
    for (const auto& server : m_chatServers)
        if (server->Name() == name)
            return server.get();
    return nullptr;
}

bool OnlineDirectory::AppendListing(const std::u16string& path, WriteBuffer& body, uint16_t extraCount) const
{
    std::lock_guard lock(m_mutex);
    if (path == kRoomsPath) {
        body.AppendShort(0);
        body.AppendShort(uint16_t(m_rooms.size() + extraCount));
        for (const PeerRoom& room : m_rooms)
            AppendService(body, u"KSChatServ", Wide(room.name), room.port);
        return true;
    }
    if (path == kFactoriesPath) {
        body.AppendShort(0);
        body.AppendShort(uint16_t(1 + m_factories.size() + extraCount));
        AppendEntryStart(body, 'D', u"Public", u"Public");
        body.AppendByte(0);
        for (uint16_t port : m_factories)
            AppendService(body, u"PylonFactoryServer", u"Factory", port);
        return true;
    }
    return false;
}
