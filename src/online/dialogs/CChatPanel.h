#pragma once
// The chat panel of the Internet games dialog's rooms view: the room caption, the
// conversation (plain text, the last kMaxLines lines), the user list and the chat
// line, with the Rooms and Find buttons. It owns the chat client, created when the
// panel is entered for the first time, and polls it on the dialog's tick.
#include "online/chat/CChatClient.h"

#include <QWidget>

#include <memory>

class AuthContext;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

class CChatPanel : public QWidget, public ChatView
{
    Q_OBJECT
public:
    static constexpr int kMaxLines = 5000;

    explicit CChatPanel(QWidget* parent = nullptr);
    ~CChatPanel() override;

    // Where the client finds its credentials and directory servers (tests pass their own).
    void SetService(AuthContext* context, ServiceAddressList* addresses);
    void SetTimeouts(const ServiceTimeouts& timeouts) { m_timeouts = timeouts; }
    void SetPlayerName(const std::string& name);
    // The first time: creates the client, refreshes the rooms and joins the first
    // "Lobby" room (else the first room).
    void Enter();
    // The dialog's tick.
    void Poll();
    void OpenRooms();
    void FindPlayer();

    CChatClient* Client() const { return m_client.get(); }
    QPlainTextEdit* Conversation() const { return m_text; }
    QListWidget* UserList() const { return m_users; }
    QLineEdit* ChatLine() const { return m_line; }
    QLabel* Caption() const { return m_caption; }

    // ChatView
    void ShowLine(const std::string& text, const std::string& speaker) override;
    void UsersChanged() override;
    void RoomsChanged() override;
    std::optional<std::string> AskPassword(const std::string& prompt) override;

private:
    void SendTyped();

    std::unique_ptr<AuthContext> m_ownContext;
    AuthContext* m_context = nullptr;
    ServiceAddressList* m_addresses = nullptr;
    ServiceTimeouts m_timeouts;
    std::string m_playerName;
    std::unique_ptr<CChatClient> m_client;
    QLabel* m_caption = nullptr;
    QPlainTextEdit* m_text = nullptr;
    QListWidget* m_users = nullptr;
    QLineEdit* m_line = nullptr;
};
