#include "online/chat/CChatClient.h"

#include "app/text/StringList.h"
#include "online/chat/ChatMessages.h"
#include "online/service/AuthContext.h"
#include "online/service/FactoryRequest.h"
#include "online/service/ServiceMessage.h"
#include "online/service/SocketResult.h"

#include <QString>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

constexpr int kNotJoinedMessage = 453;
constexpr int kNoRoomsMessage = 454;
constexpr int kPasswordPrompt = 357;
constexpr int kReconnecting = 412;
constexpr int kReconnectFailed = 413;
constexpr int kReconnected = 414;
constexpr int kJoinFailed = 415;
constexpr int kLookingForRoom = 447;
constexpr int kTooFast = 448;
constexpr int kLookingFor = 449;
constexpr int kNoServers = 450;
constexpr int kNotFound = 451;
constexpr int kFoundIn = 452;
constexpr int kNoSuchRoom = 455;
constexpr int kRoomFull = 456;
constexpr int kUseJoin = 460;
constexpr int kShuffleSwaps = 300;
constexpr int kLostWaitMs = 100;

double SteadySeconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

int64_t SteadyMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::string Narrow(const std::u16string& text)
{
    return QString::fromStdU16String(text).toStdString();
}

std::string AddressText(const std::string& host, uint16_t port)
{
    return host + ":" + std::to_string(port);
}

std::string Trimmed(std::string text)
{
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    size_t start = 0;
    while (start < text.size() && text[start] == ' ')
        ++start;
    return text.substr(start);
}

} // namespace

class CChatClient::BusyGuard
{
public:
    explicit BusyGuard(bool& flag) : m_flag(flag), m_was(flag) { m_flag = true; }
    ~BusyGuard() { m_flag = m_was; }

private:
    bool& m_flag;
    bool m_was;
};

CChatClient::CChatClient(AuthContext* context, ServiceAddressList* addresses, ChatView* view)
    : m_context(context), m_addresses(addresses), m_view(view), m_directory("", 0), m_clock(SteadySeconds),
      m_message(EasyPylonSocket::kMaxMessage)
{
}

CChatClient::~CChatClient() = default;

void CChatClient::SetPlayerName(const std::string& name)
{
    m_playerName = ChatMessages::CleanName(name);
}

void CChatClient::SetTimeouts(const ServiceTimeouts& timeouts)
{
    m_timeouts = timeouts;
    m_directory.SetTimeouts(timeouts);
}

void CChatClient::SetDiagnostics(DiagnosticSink sink)
{
    m_diagnostics.SetSink(sink);
    m_directory.SetDiagnostics(std::move(sink));
}

void CChatClient::Show(const std::string& text, const std::string& speaker)
{
    if (m_view)
        m_view->ShowLine(text, speaker);
}

bool CChatClient::SignedIn() const
{
    return m_context && m_context->IsSignedIn();
}

void CChatClient::SetServer(const std::string& host, uint16_t port)
{
    m_host = host;
    m_port = port ? port : kDefaultPort;
}

ChatRoom* CChatClient::CurrentRoom()
{
    return m_host.empty() ? nullptr : m_rooms.FindByAddress(AddressText(m_host, m_port));
}

const CChatUser* CChatClient::FindUser(uint32_t id) const
{
    for (const CChatUser& user : m_users)
        if (user.Id() == id)
            return &user;
    return nullptr;
}

bool CChatClient::IsSafePassword(const std::string& password)
{
    if (password.size() > ChatMessages::kMaxPassword || (!password.empty() && password[0] == '-'))
        return false;
    for (const char c : password) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= ' ' || u == 0x7F || c == '"' || c == '\'' || c == '`')
            return false;
    }
    // Characters beyond ASCII: no other spaces, control or invisible format characters.
    for (const QChar c : QString::fromUtf8(password.data(), qsizetype(password.size()))) {
        const QChar::Category category = c.category();
        if (c.isSpace() || category == QChar::Other_Control || category == QChar::Other_Format)
            return false;
    }
    return true;
}

std::vector<DirEntry> CChatClient::ListDirectory(ServiceAddress& entry, const std::u16string& path)
{
    m_directory.SetServer(entry.host, entry.port);
    m_directory.SetAuth(m_context, true, true, true);
    ReadBuffer reader;
    const uint32_t count = m_directory.GetDirectory(path, reader);
    if (count == 0)
        return {};
    return ReadDirEntries(reader, count);
}

bool CChatClient::RefreshRooms()
{
    if (!SignedIn()) {
        Show(FormatString(kNotJoinedMessage));
        return false;
    }
    BusyGuard busy(m_busy);
    m_addresses->DemoteFailed();
    ChatRoomList fresh;
    bool found = false, shownEmpty = false;
    for (int pass = 0; pass < kAttempts && !found; ++pass) {
        for (ServiceAddress& entry : m_addresses->PylonList()) {
            const std::vector<DirEntry> entries = ListDirectory(entry, kRoomsPath);
            if (entries.empty()) {
                if (!shownEmpty)
                    Show(FormatString(kNoRoomsMessage));
                shownEmpty = true;
                entry.demoted = true;
                continue;
            }
            entry.demoted = false;
            for (size_t i = 0; i < entries.size(); ++i) {
                const DirEntry& dir = entries[i];
                if (dir.kind != DirEntry::kService)
                    continue;
                const size_t before = fresh.Size();
                ChatRoom* room = fresh.Add(Narrow(dir.displayName), "No topic",
                                           AddressText(DottedAddress(dir.address), dir.port), "");
                if (room && fresh.Size() > before)
                    room->tag = uint16_t(i);
            }
            found = true;
            break;
        }
    }
    if (!found)
        return false;
    StatusPhase(fresh);
    // Passwords the player gave for rooms they made or entered stay known.
    for (ChatRoom& room : fresh.Rooms()) {
        room.permanentIndex = PermanentIndex(m_permanent, room.name);
        if (const ChatRoom* old = m_rooms.FindByName(room.name)) {
            room.password = old->password;
            room.createdHere = old->createdHere;
        }
    }
    m_rooms = std::move(fresh);
    if (m_view)
        m_view->RoomsChanged();
    return true;
}

void CChatClient::StatusPhase(ChatRoomList& rooms)
{
    struct Target
    {
        ChatRoom* room;
        uint32_t address = 0;
        uint16_t port = 0;
        int64_t lastQuery = 0;
    };
    std::vector<Target> targets;
    for (ChatRoom& room : rooms.Rooms()) {
        std::string host;
        uint16_t port = 0;
        SplitAddress(room.address, kDefaultPort, host, port);
        Target target{&room};
        target.port = port;
        if (!EasySocket::ResolveHost(host, target.address))
            room.triesLeft = 0;
        targets.push_back(target);
    }
    EasySocket socket(EasySocket::kDatagram);
    if (socket.Open() != ES_NO_ERROR)
        return;
    const int64_t start = SteadyMs();
    uint8_t datagram[64];
    for (;;) {
        const int64_t now = SteadyMs();
        if (now - start >= kStatusPhaseMs)
            break;
        bool pending = false;
        for (Target& target : targets) {
            ChatRoom& room = *target.room;
            if (room.answered)
                continue;
            // A room stays pending until its last query had its time to be answered.
            if (room.triesLeft > 0 || (room.triesLeft < ChatRoom::kTries && now - target.lastQuery < kStatusIntervalMs))
                pending = true;
            if (room.triesLeft <= 0 ||
                (room.triesLeft < ChatRoom::kTries && now - target.lastQuery < kStatusIntervalMs))
                continue;
            WriteBuffer query(8);
            ChatMessages::ComposeStatusQuery(query, room.tag);
            sockaddr_in to{};
            to.sin_family = AF_INET;
            to.sin_port = htons(target.port);
            to.sin_addr.s_addr = htonl(target.address);
            socket.SendTo(query.Data(), query.Size(), to, m_timeouts.datagramSend);
            --room.triesLeft;
            target.lastQuery = now;
            room.lastQuery = double(now) / 1000.0;
        }
        if (!pending)
            break;
        // Every datagram that waits is read, the first one waited for briefly.
        for (int wait = m_timeouts.datagramReceive; SteadyMs() - start < kStatusPhaseMs; wait = 0) {
            uint32_t n = 0, from = 0;
            uint16_t fromPort = 0;
            if (socket.RecvFrom(datagram, sizeof datagram, &n, wait, &from, &fromPort) != ES_NO_ERROR)
                break;
            const auto reply = ChatMessages::ParseStatusReply(datagram, n);
            if (!reply)
                continue;
            for (Target& target : targets)
                if (target.room->tag == reply->tag && target.address == from && target.port == fromPort) {
                    target.room->answered = true;
                    target.room->users = reply->users;
                }
        }
    }
}

uint16_t CChatClient::CreateRoom(const std::string& typed)
{
    if (!SignedIn()) {
        Show(FormatString(kNotJoinedMessage));
        return 0;
    }
    std::string text = typed;
    if (StartsWithText(text, "Lobby")) {
        text.erase(0, 5);
        if (!text.empty() && text[0] == ' ')
            text.erase(0, 1);
    }
    for (const std::string& name : m_permanent)
        if (SameText(text, name))
            text.clear();
    if (text.empty())
        return 0;
    std::string name = text, password;
    const size_t mark = text.find(" -pass");
    if (mark != std::string::npos) {
        name = text.substr(0, mark);
        password = Trimmed(text.substr(mark + 6));
    }
    name = ChatMessages::CleanName(name, ChatRoom::kMaxName);
    if (name.empty() || !IsSafePassword(password))
        return 0;
    BusyGuard busy(m_busy);
    m_addresses->DemoteFailed();
    for (int pass = 0; pass < kAttempts; ++pass) {
        for (ServiceAddress& entry : m_addresses->PylonList()) {
            const std::vector<DirEntry> entries = ListDirectory(entry, kFactoriesPath);
            if (entries.empty()) {
                entry.demoted = true;
                continue;
            }
            std::vector<DirEntry> factories;
            for (const DirEntry& dir : entries)
                if (dir.kind == DirEntry::kService && dir.name == u"PylonFactoryServer" &&
                    factories.size() < kMaxFactories)
                    factories.push_back(dir);
            if (factories.empty())
                break;
            std::vector<size_t> order(factories.size());
            for (size_t i = 0; i < order.size(); ++i)
                order[i] = i;
            for (int i = 0; i < kShuffleSwaps; ++i)
                std::swap(order[size_t(std::rand()) % order.size()], order[size_t(std::rand()) % order.size()]);
            const std::string directoryText = AddressText(entry.host, entry.port);
            const std::string commandLine = password.empty() ? "" : "-password " + password;
            for (size_t index : order) {
                const DirEntry& factory = factories[index];
                FactoryRequest request(DottedAddress(factory.address), factory.port);
                request.SetTimeouts(m_timeouts);
                request.SetDiagnostics([this](const std::string& line) { Print(line); });
                request.SetAuth(m_context, true, true, true);
                const uint16_t port = request.StartProcess("KSChatServ", directoryText, kRoomsPath,
                                                           QString::fromStdString(name).toStdU16String(), commandLine);
                if (port == 0)
                    continue;
                const std::string host = DottedAddress(factory.address);
                SetServer(host, port);
                if (ChatRoom* room = m_rooms.Add(name, name, AddressText(host, port), password)) {
                    room->createdHere = true;
                    room->address = AddressText(host, port);
                }
                if (m_view)
                    m_view->RoomsChanged();
                return port;
            }
        }
    }
    return 0;
}

bool CChatClient::EnterRoom(const ChatRoom& room)
{
    std::string host;
    uint16_t port = 0;
    SplitAddress(room.address, kDefaultPort, host, port);
    SetServer(host, port);
    return JoinRoom();
}

bool CChatClient::JoinOnce(bool& giveUp)
{
    if (!m_socket)
        m_socket = std::make_unique<EasyPylonSocket>(EasySocket::kStream, EasyPylonSocket::kMaxMessage);
    if (m_socket->Connect(m_host, m_port, m_timeouts.connect, 1) != ES_NO_ERROR)
        return false;
    PeerAuthResult auth;
    if (!m_context->AuthenticatePeer(*m_socket, m_host, m_port, 1, false, true, false, auth)) {
        Show(FormatString(kNotJoinedMessage));
        m_socket->Close();
        return false;
    }
    const ChatRoom* room = CurrentRoom();
    std::string password = room ? room->password : "";
    for (;;) {
        WriteBuffer login(256);
        ChatMessages::ComposeLogin(login, m_playerName, password);
        if (m_socket->Send(login.Data(), login.Size(), nullptr, m_timeouts.sendChat) != ES_NO_ERROR)
            break;
        uint32_t length = 0, serviceType = 0, messageType = 0;
        if (m_socket->RecvMessage(m_message.data(), uint32_t(m_message.size()), &length, &serviceType, &messageType,
                                  m_timeouts.receiveChatLogin) != ES_NO_ERROR)
            break;
        ReadBuffer body;
        if (serviceType != ChatMessages::kService || messageType != ChatMessages::kLoginReply ||
            !ServiceMessage::Parse(m_message.data(), length, body))
            break;
        const auto reply = ChatMessages::ParseLoginReply(body);
        if (!reply)
            break;
        if (reply->status == ChatMessages::kStatusAccepted) {
            m_ownId = reply->clientId;
            m_password = password;
            return true;
        }
        if (reply->status != ChatMessages::kStatusPassword)
            break;
        std::optional<std::string> entered;
        for (;;) {
            entered = m_view ? m_view->AskPassword(FormatString(kPasswordPrompt)) : std::nullopt;
            if (!entered || entered->size() <= ChatMessages::kMaxPassword)
                break;
            Show(FormatString(kPasswordPrompt));
        }
        if (!entered || entered->empty()) {
            giveUp = true;
            break;
        }
        password = *entered;
    }
    m_socket->Close();
    return false;
}

bool CChatClient::JoinRoom()
{
    if (!SignedIn()) {
        Show(FormatString(kNotJoinedMessage));
        return false;
    }
    BusyGuard busy(m_busy);
    m_live = false;
    m_lost = false;
    bool giveUp = false, joined = false;
    for (int attempt = 0; attempt < kAttempts && !giveUp && !joined; ++attempt)
        joined = JoinOnce(giveUp);
    if (!joined) {
        const ChatRoom* room = CurrentRoom();
        Show(FormatString(kJoinFailed, room ? room->name.c_str() : AddressText(m_host, m_port).c_str()));
        m_host.clear();
        m_users.clear();
        if (m_socket)
            m_socket->Close();
        if (m_view)
            m_view->UsersChanged();
        return false;
    }
    if (ChatRoom* room = CurrentRoom(); room && !m_password.empty())
        room->password = m_password;
    m_users.clear();
    m_users.emplace_back(m_ownId, m_playerName);
    m_reconnects = kReconnects;
    m_live = true;
    m_gaveUpShown = false;
    if (m_view)
        m_view->UsersChanged();
    return true;
}

bool CChatClient::SendChatLine(const uint8_t* bytes, uint32_t n)
{
    const double now = m_clock();
    const double since = now - m_lastSent;
    if (since < kMinInterval || (m_owed != 0 && since < m_owed)) {
        Show(FormatString(kTooFast));
        return false;
    }
    m_owed = double(n / 20) * 0.25;
    m_lastSent = now;
    if (!m_socket || !m_socket->IsConnected())
        return false;
    WriteBuffer message(n + 32);
    ChatMessages::ComposeChatLine(message, m_ownId, ChatMessages::kKindChat, bytes, n);
    return m_socket->Send(message.Data(), message.Size(), nullptr, m_timeouts.sendChat) == ES_NO_ERROR;
}

void CChatClient::JoinByPrefix(const std::string& text)
{
    Show(FormatString(kLookingForRoom, text.c_str()));
    ChatRoom* room = m_rooms.FindByPrefix(text);
    if (!room) {
        Show(FormatString(kNoSuchRoom));
        return;
    }
    if (room->users >= kFullRoom) {
        Show(FormatString(kRoomFull, room->name.c_str(), int(room->users)));
        return;
    }
    const ChatRoom copy = *room;
    EnterRoom(copy);
}

void CChatClient::EnterLine(const std::string& typed)
{
    const std::string line = typed + "\r\n";
    if (typed.size() > 1 && typed[0] == '/') {
        const std::string rest = typed.substr(1);
        const size_t space = rest.find(' ');
        const std::string word = rest.substr(0, space);
        const std::string after = space == std::string::npos ? "" : Trimmed(rest.substr(space + 1));
        if (StartsWithText(word, "rooms")) {
            Show("Rooms");
            for (const ChatRoom& room : m_rooms.Rooms())
                Show(room.name + ":  " + room.address + ", " + std::to_string(room.users) + " " +
                     std::to_string(room.permanentIndex));
            return;
        }
        if (StartsWithText(word, "find")) {
            FindName(after.substr(0, after.find(' ')));
            return;
        }
        if (StartsWithText(word, "join")) {
            JoinByPrefix(after);
            return;
        }
    }
    SendChatLine(reinterpret_cast<const uint8_t*>(line.data()), uint32_t(line.size()));
}

void CChatClient::DropConnection()
{
    if (m_socket)
        m_socket->Close();
    if (m_live) {
        m_lost = true;
        m_reconnects = kReconnects;
    }
}

void CChatClient::PollChat()
{
    if (m_busy)
        return;
    if (m_lost) {
        m_lost = false;
        m_live = false;
        std::this_thread::sleep_for(std::chrono::milliseconds(kLostWaitMs));
        if (m_reconnects >= 0) {
            --m_reconnects;
            Show(FormatString(kReconnecting));
            const int left = m_reconnects;
            if (JoinRoom())
                Show(FormatString(kReconnected));
            else
                m_reconnects = left;
        } else if (!m_gaveUpShown) {
            Show(FormatString(kReconnectFailed));
            m_gaveUpShown = true;
        }
        return;
    }
    if (!m_socket || !m_socket->IsConnected())
        return;
    BusyGuard busy(m_busy);
    // Whatever arrived since the last tick is handled now, up to a bound.
    const int64_t start = SteadyMs();
    for (int i = 0; i < kMaxMessagesPerPoll && SteadyMs() - start < kPollBudgetMs; ++i) {
        uint32_t length = 0, serviceType = 0, messageType = 0;
        const int32_t result = m_socket->RecvMessage(m_message.data(), uint32_t(m_message.size()), &length,
                                                     &serviceType, &messageType, i == 0 ? m_timeouts.pollChat : 0);
        if (result == ES_TIMED_OUT)
            return;
        ReadBuffer body;
        if (result != ES_NO_ERROR) {
            DropConnection();
            return;
        }
        if (!ServiceMessage::Parse(m_message.data(), length, body) || !HandleMessage(messageType, body)) {
            Print("Invalid message received.\n");
            DropConnection();
            return;
        }
    }
}

void CChatClient::AddUser(uint32_t id, const std::string& name)
{
    for (CChatUser& user : m_users)
        if (user.Id() == id) {
            user.SetName(name);
            return;
        }
    if (m_users.size() >= ChatMessages::kMaxUsers)
        return;
    m_users.insert(m_users.begin(), CChatUser(id, name));
}

bool CChatClient::HandleMessage(uint32_t messageType, ReadBuffer& body)
{
    switch (messageType) {
    case ChatMessages::kUsersAdded:
    case ChatMessages::kFullUserList: {
        const auto users = ChatMessages::ParseUsers(body);
        if (!users)
            return false;
        if (messageType == ChatMessages::kFullUserList) {
            m_users.clear();
            m_users.emplace_back(m_ownId, m_playerName);
        }
        for (const ChatMessages::User& user : *users)
            AddUser(user.id, user.name);
        if (m_view)
            m_view->UsersChanged();
        return true;
    }
    case ChatMessages::kUsersLeft: {
        const auto ids = ChatMessages::ParseUsersLeft(body);
        if (!ids)
            return false;
        for (uint32_t id : *ids)
            for (auto it = m_users.begin(); it != m_users.end(); ++it)
                if (it->Id() == id && id != m_ownId) {
                    m_users.erase(it);
                    break;
                }
        if (m_view)
            m_view->UsersChanged();
        return true;
    }
    case ChatMessages::kChatLine: {
        auto line = ChatMessages::ParseChatLine(body);
        if (!line)
            return false;
        HandleChatLine(line->sender, line->kind, std::move(line->text));
        return true;
    }
    default:
        return true;
    }
}

void CChatClient::HandleChatLine(uint32_t sender, int16_t kind, std::string text)
{
    if (kind == ChatMessages::kKindServerError) {
        Print(" *** Server Error : " + ChatMessages::CleanText(text) + "\n");
        return;
    }
    if (kind != ChatMessages::kKindChat)
        return;
    const CChatUser* user = FindUser(sender);
    if (!user)
        return;
    if (text.size() > kMaxLineShown)
        text.resize(kMaxLineShown);
    const std::string name = user->Name().empty() ? "?" : user->Name();
    if (StartsWithText(text, "/me") && text.size() >= 5)
        Show(name + " " + ChatMessages::CleanText(text.substr(4)));
    else
        Show(ChatMessages::CleanText(text), name);
}

bool CChatClient::FindName(const std::string& typedName)
{
    const std::string name = ChatMessages::CleanName(typedName);
    Show(FormatString(kLookingFor, name.c_str()));
    if (m_directory.Port() == 0 && !m_addresses->PylonList().empty()) {
        m_directory.SetServer(m_addresses->PylonList().front().host, m_addresses->PylonList().front().port);
        m_directory.SetAuth(m_context, true, true, true);
    }
    BusyGuard busy(m_busy);
    ReadBuffer reader;
    const uint32_t count = m_directory.GetDirectory(kRoomsPath, reader);
    if (count == 0) {
        Show(FormatString(kNoServers));
        return false;
    }
    struct Server
    {
        std::string name;
        uint32_t address;
        uint16_t port;
        bool answered = false;
    };
    std::vector<Server> servers;
    for (const DirEntry& entry : ReadDirEntries(reader, count))
        if (entry.kind == DirEntry::kService)
            servers.push_back({Narrow(entry.displayName), entry.address, entry.port});
    EasySocket socket(EasySocket::kDatagram);
    if (servers.empty() || socket.Open() != ES_NO_ERROR) {
        Show(FormatString(kNotFound, name.c_str()));
        return false;
    }
    bool anyReply = false;
    uint8_t datagram[64];
    const int64_t start = SteadyMs();
    // Reads what waits; a flood of replies cannot hold the search past its total time.
    auto drain = [&](int wait) {
        for (;; wait = 0) {
            if (SteadyMs() - start >= kFindLimitMs)
                return;
            uint32_t n = 0, from = 0;
            uint16_t fromPort = 0;
            if (socket.RecvFrom(datagram, sizeof datagram, &n, wait, &from, &fromPort) != ES_NO_ERROR)
                return;
            const auto tag = ChatMessages::ParseNameReply(datagram, n);
            if (!tag || *tag >= servers.size())
                continue;
            Server& server = servers[*tag];
            if (server.answered || server.address != from || server.port != fromPort)
                continue;
            server.answered = anyReply = true;
            Show(FormatString(kFoundIn, name.c_str(), server.name.c_str()));
            Show(FormatString(kUseJoin));
        }
    };
    for (int pass = 0; pass < kAttempts && SteadyMs() - start < kFindLimitMs; ++pass)
        for (size_t i = 0; i < servers.size() && SteadyMs() - start < kFindLimitMs; ++i) {
            WriteBuffer query(600);
            ChatMessages::ComposeNameQuery(query, uint16_t(i), name);
            sockaddr_in to{};
            to.sin_family = AF_INET;
            to.sin_port = htons(servers[i].port);
            to.sin_addr.s_addr = htonl(servers[i].address);
            socket.SendTo(query.Data(), query.Size(), to, m_timeouts.datagramSend);
            drain(m_timeouts.datagramReceive);
        }
    const int64_t lastSend = SteadyMs();
    while (SteadyMs() - lastSend < kFindQuietMs && SteadyMs() - start < kFindLimitMs)
        drain(m_timeouts.datagramReceive);
    if (!anyReply)
        Show(FormatString(kNotFound, name.c_str()));
    return anyReply;
}
