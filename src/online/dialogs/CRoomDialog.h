#pragma once
// The room list dialog: the rooms with their user counts, filtered by "Show
// Permanent" and "Show User-Created" (settings of those names), entering the chosen
// room and creating a new one (CCreateRoomDialog).
#include "online/chat/CChatClient.h"
#include "ui/CKSDialog.h"

#include <vector>

class CODCheckBox;
class QLineEdit;
class QListWidget;

// The rooms shown, as indexes into rooms (whose permanent indexes are set).
std::vector<size_t> VisibleRooms(std::vector<ChatRoom>& rooms, const std::vector<std::string>& permanent,
                                 bool showPermanent, bool showUserCreated);

class CRoomDialog : public CKSDialog
{
    Q_OBJECT
public:
    static constexpr const char* kShowPermanent = "Show Permanent";
    static constexpr const char* kShowUserCreated = "Show User-Created";

    CRoomDialog(CChatClient& client, ChatView* view, QWidget* parent = nullptr);
    ~CRoomDialog() override;

    void Refill();
    // Enters the selected room; true when joined.
    bool EnterSelected();
    void Create();
    void SelectRoom(const std::string& name);

    QListWidget* List() const { return m_list; }
    CODCheckBox* ShowPermanent() const { return m_permanent; }
    CODCheckBox* ShowUserCreated() const { return m_userCreated; }
    const std::vector<size_t>& Shown() const { return m_shown; }

private:
    CChatClient& m_client;
    ChatView* m_view;
    QListWidget* m_list = nullptr;
    CODCheckBox* m_permanent = nullptr;
    CODCheckBox* m_userCreated = nullptr;
    std::vector<size_t> m_shown;
};

class CCreateRoomDialog : public CKSDialog
{
    Q_OBJECT
public:
    explicit CCreateRoomDialog(QWidget* parent = nullptr);
    QLineEdit* NameField() const { return m_name; }
    QLineEdit* PasswordField() const { return m_password; }
    std::string Name() const;
    std::string Password() const;

private:
    QLineEdit* m_name = nullptr;
    QLineEdit* m_password = nullptr;
};
