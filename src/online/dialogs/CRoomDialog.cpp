#include "online/dialogs/CRoomDialog.h"

#include "app/settings/SettingsStore.h"
#include "app/text/Messages.h"
#include "app/text/StringList.h"
#include "online/chat/ChatMessages.h"
#include "ui/CODBlendBtn.h"
#include "ui/CODControls.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

constexpr int kMsgOk = 280;
constexpr int kMsgCancel = 251;
constexpr int kMsgNoName = 55;

} // namespace

std::vector<size_t> VisibleRooms(std::vector<ChatRoom>& rooms, const std::vector<std::string>& permanent,
                                 bool showPermanent, bool showUserCreated)
{
    for (ChatRoom& room : rooms)
        room.permanentIndex = PermanentIndex(permanent, room.name);
    bool lobbyWithUsers = false;
    for (const ChatRoom& room : rooms)
        if (room.permanentIndex >= 0 && StartsWithText(room.name, "Lobby") && room.users > 0)
            lobbyWithUsers = true;
    std::vector<size_t> shown;
    bool emptyLobbyShown = false;
    for (size_t i = 0; i < rooms.size(); ++i) {
        const ChatRoom& room = rooms[i];
        const bool isPermanent = room.permanentIndex >= 0;
        if (isPermanent ? !showPermanent : !showUserCreated)
            continue;
        if (isPermanent && StartsWithText(room.name, "Lobby") && room.users == 0) {
            if (lobbyWithUsers || emptyLobbyShown)
                continue;
            emptyLobbyShown = true;
        }
        shown.push_back(i);
    }
    return shown;
}

CRoomDialog::CRoomDialog(CChatClient& client, ChatView* view, QWidget* parent)
    : CKSDialog(parent, "dialog"), m_client(client), m_view(view)
{
    SetTitleText(QStringLiteral("Chat Rooms"));
    auto* layout = new QVBoxLayout(Content());
    auto* checks = new QHBoxLayout();
    m_permanent = new CODCheckBox(QString::fromLatin1(kShowPermanent), Content());
    m_userCreated = new CODCheckBox(QString::fromLatin1(kShowUserCreated), Content());
    m_permanent->setChecked(GetSettingInt("Settings", kShowPermanent, 1) == 1);
    m_userCreated->setChecked(GetSettingInt("Settings", kShowUserCreated, 1) == 1);
    connect(m_permanent, &QCheckBox::toggled, this, &CRoomDialog::Refill);
    connect(m_userCreated, &QCheckBox::toggled, this, &CRoomDialog::Refill);
    checks->addWidget(m_permanent);
    checks->addWidget(m_userCreated);
    checks->addStretch(1);
    layout->addLayout(checks);
    m_list = new QListWidget(Content());
    connect(m_list, &QListWidget::itemActivated, this, [this] {
        if (EnterSelected())
            accept();
    });
    layout->addWidget(m_list, 1);

    CODBlendBtn* create = AddButton(QStringLiteral("Create..."));
    connect(create, &QAbstractButton::clicked, this, &CRoomDialog::Create);
    CODBlendBtn* join = AddButton(QString::fromStdString(GetString(kMsgOk)));
    connect(join, &QAbstractButton::clicked, this, [this] {
        if (EnterSelected())
            accept();
    });
    AddButton(QString::fromStdString(GetString(kMsgCancel)), QDialog::Rejected);
    SetDefaultButton(join);
    Refill();
}

CRoomDialog::~CRoomDialog()
{
    SetSettingInt("Settings", kShowPermanent, m_permanent->isChecked() ? 1 : 0);
    SetSettingInt("Settings", kShowUserCreated, m_userCreated->isChecked() ? 1 : 0);
}

void CRoomDialog::Refill()
{
    auto& rooms = m_client.Rooms().Rooms();
    m_shown = VisibleRooms(rooms, m_client.PermanentRooms(), m_permanent->isChecked(), m_userCreated->isChecked());
    m_list->clear();
    for (size_t index : m_shown)
        m_list->addItem(
            QStringLiteral("%1   (%2)").arg(QString::fromStdString(rooms[index].name)).arg(rooms[index].users));
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
}

void CRoomDialog::SelectRoom(const std::string& name)
{
    for (size_t row = 0; row < m_shown.size(); ++row)
        if (SameText(m_client.Rooms().Rooms()[m_shown[row]].name, name))
            m_list->setCurrentRow(int(row));
}

bool CRoomDialog::EnterSelected()
{
    const int row = m_list->currentRow();
    if (row < 0 || size_t(row) >= m_shown.size())
        return false;
    const ChatRoom room = m_client.Rooms().Rooms()[m_shown[size_t(row)]];
    if (m_view)
        m_view->ShowLine("Entering room " + room.name, "");
    return m_client.EnterRoom(room);
}

void CRoomDialog::Create()
{
    CCreateRoomDialog ask(this);
    if (ask.DoModal() != QDialog::Accepted)
        return;
    const std::string name = ask.Name();
    if (name.empty()) {
        ShowMessage(kMsgNoName);
        return;
    }
    if (m_client.Rooms().FindByName(name)) {
        Refill();
        SelectRoom(name);
        return;
    }
    const std::string password = ask.Password();
    const std::string text = password.empty() ? name : name + " -pass " + password;
    if (m_client.CreateRoom(text) != 0 && m_client.JoinRoom())
        accept();
    else
        Refill();
}

CCreateRoomDialog::CCreateRoomDialog(QWidget* parent) : CKSDialog(parent, "prompt")
{
    SetTitleText(QStringLiteral("Create Room"));
    auto* form = new QFormLayout(Content());
    m_name = new QLineEdit(Content());
    m_name->setMaxLength(int(ChatRoom::kMaxName));
    m_password = new QLineEdit(Content());
    m_password->setMaxLength(int(ChatMessages::kMaxPassword));
    m_password->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("Room name:"), m_name);
    form->addRow(QStringLiteral("Password (optional):"), m_password);
    SetDefaultButton(AddButton(QString::fromStdString(GetString(kMsgOk)), QDialog::Accepted));
    AddButton(QString::fromStdString(GetString(kMsgCancel)), QDialog::Rejected);
}

std::string CCreateRoomDialog::Name() const
{
    return ChatMessages::CleanName(m_name->text().trimmed().toStdString(), ChatRoom::kMaxName);
}

std::string CCreateRoomDialog::Password() const
{
    return m_password->text().toStdString();
}
