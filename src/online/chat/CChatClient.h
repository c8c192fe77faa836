#pragma once
// The chat client of the Internet games dialog: the room list with user counts, room
// creation through a factory server, the log-in to a room's chat server, chat lines
// with a flood limit, the chat line's commands, finding a player, and the polling of
// the chat connection with its reconnect rule. Everything runs on the caller's
// thread; what the player sees goes to a ChatView.
#include "app/text/ServiceAddressList.h"
#include "online/chat/ChatRoom.h"
#include "online/service/DirRequest.h"
#include "online/service/EasyPylonSocket.h"
#include "online/service/ServiceDiagnostics.h"
#include "online/service/ServiceTimeouts.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class AuthContext;

class ChatView
{
public:
    virtual ~ChatView() = default;
    // One line of the chat panel; with a speaker it is drawn "<speaker> text".
    virtual void ShowLine(const std::string& text, const std::string& speaker) = 0;
    virtual void UsersChanged() {}
    virtual void RoomsChanged() {}
    // The room password prompt; nothing when the player cancels.
    virtual std::optional<std::string> AskPassword(const std::string& prompt)
    {
        (void)prompt;
        return std::nullopt;
    }
};

class CChatClient
{
public:
    static constexpr uint16_t kDefaultPort = 6100;
    static constexpr uint32_t kFullRoom = 90;
    static constexpr int kReconnects = 3;
    static constexpr int kAttempts = 3;
    static constexpr size_t kMaxLineShown = 511;
    static constexpr size_t kMaxFactories = 100;
    static constexpr double kMinInterval = 0.1;
    static constexpr int kStatusPhaseMs = 20000;
    static constexpr int kStatusIntervalMs = 200;
    static constexpr int kFindQuietMs = 1000;
    static constexpr int kFindLimitMs = 5000;
    static constexpr int kMaxMessagesPerPoll = 256;
    // A poll hands back to the tick after this long even with messages waiting.
    static constexpr int kPollBudgetMs = 12;
    static constexpr const char16_t* kRoomsPath = u"/Kestrel/Public";
    static constexpr const char16_t* kFactoriesPath = u"/Kestrel";

    // Seconds on any steady scale (the flood limit's clock; tests move it).
    using Clock = std::function<double()>;

    CChatClient(AuthContext* context, ServiceAddressList* addresses, ChatView* view);
    ~CChatClient();
    CChatClient(const CChatClient&) = delete;
    CChatClient& operator=(const CChatClient&) = delete;

    void SetPlayerName(const std::string& name);
    const std::string& PlayerName() const { return m_playerName; }
    void SetTimeouts(const ServiceTimeouts& timeouts);
    void SetClock(Clock clock) { m_clock = std::move(clock); }
    // Where the diagnostic lines go (standard output by default).
    void SetDiagnostics(DiagnosticSink sink);
    void SetPermanentRooms(std::vector<std::string> names) { m_permanent = std::move(names); }
    const std::vector<std::string>& PermanentRooms() const { return m_permanent; }

    bool RefreshRooms();
    // "name" or "name -pass password"; the new chat server's port, or 0.
    uint16_t CreateRoom(const std::string& text);
    bool JoinRoom();
    // Makes the room's chat server the current one and joins it.
    bool EnterRoom(const ChatRoom& room);
    bool SendChatLine(const uint8_t* bytes, uint32_t n);
    // The chat line control's Enter: a command or a chat line.
    void EnterLine(const std::string& typed);
    void PollChat();
    bool FindName(const std::string& name);

    void SetServer(const std::string& host, uint16_t port);
    const std::string& ServerHost() const { return m_host; }
    uint16_t ServerPort() const { return m_port; }
    ChatRoomList& Rooms() { return m_rooms; }
    ChatRoom* CurrentRoom();
    // Newest first; the player's own entry is the oldest.
    const std::vector<CChatUser>& Users() const { return m_users; }
    const CChatUser* FindUser(uint32_t id) const;
    bool IsLive() const { return m_live; }
    bool IsLost() const { return m_lost; }
    uint32_t OwnId() const { return m_ownId; }
    int ReconnectsLeft() const { return m_reconnects; }
    // True while an operation runs (a modal prompt may be open): PollChat waits.
    bool Busy() const { return m_busy; }
    // A room password a factory accepts: at most 31 characters, no spaces, quotes or
    // control characters, not starting with '-'.
    static bool IsSafePassword(const std::string& password);

private:
    class BusyGuard;

    void Show(const std::string& text) { Show(text, ""); }
    void Show(const std::string& text, const std::string& speaker);
    void Print(const std::string& line) { m_diagnostics.Print(line); }
    bool SignedIn() const;
    bool JoinOnce(bool& giveUp);
    void StatusPhase(ChatRoomList& rooms);
    // False for a malformed message.
    bool HandleMessage(uint32_t messageType, ReadBuffer& body);
    void HandleChatLine(uint32_t sender, int16_t kind, std::string text);
    void AddUser(uint32_t id, const std::string& name);
    void DropConnection();
    std::vector<DirEntry> ListDirectory(ServiceAddress& entry, const std::u16string& path);
    void JoinByPrefix(const std::string& text);

    AuthContext* m_context;
    ServiceAddressList* m_addresses;
    ChatView* m_view;
    DirRequest m_directory;
    ServiceTimeouts m_timeouts;
    ServiceDiagnostics m_diagnostics;
    Clock m_clock;
    std::vector<std::string> m_permanent;
    ChatRoomList m_rooms;
    std::vector<CChatUser> m_users;
    std::unique_ptr<EasyPylonSocket> m_socket;
    std::vector<uint8_t> m_message;
    std::string m_host;
    uint16_t m_port = kDefaultPort;
    std::string m_playerName;
    std::string m_password;
    uint32_t m_ownId = 0;
    bool m_live = false;
    bool m_lost = false;
    bool m_gaveUpShown = false;
    int m_reconnects = kReconnects;
    bool m_busy = false;
    double m_lastSent = -1e9;
    double m_owed = 0;
};
