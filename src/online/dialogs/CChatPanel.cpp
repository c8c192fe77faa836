#include "online/dialogs/CChatPanel.h"

#include "app/text/StringList.h"
#include "online/chat/ChatMessages.h"
#include "online/dialogs/CRoomDialog.h"
#include "online/service/AuthContext.h"
#include "ui/CKSInputDlg.h"
#include "ui/CODBlendBtn.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>

namespace {

constexpr int kUserListWidth = 160;
constexpr int kMaxTyped = 255;

} // namespace

CChatPanel::CChatPanel(QWidget* parent) : QWidget(parent)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(4);
    m_caption = new QLabel(QStringLiteral("Connecting..."), this);
    m_caption->setTextFormat(Qt::PlainText);
    grid->addWidget(m_caption, 0, 0);
    auto* buttons = new QHBoxLayout();
    auto* rooms = new CODBlendBtn(QStringLiteral("Rooms..."), this);
    auto* find = new CODBlendBtn(QStringLiteral("Find..."), this);
    connect(rooms, &QAbstractButton::clicked, this, &CChatPanel::OpenRooms);
    connect(find, &QAbstractButton::clicked, this, &CChatPanel::FindPlayer);
    buttons->addStretch(1);
    buttons->addWidget(rooms);
    buttons->addWidget(find);
    grid->addLayout(buttons, 0, 1);

    m_text = new QPlainTextEdit(this);
    m_text->setReadOnly(true);
    m_text->setMaximumBlockCount(kMaxLines);
    m_text->setUndoRedoEnabled(false);
    grid->addWidget(m_text, 1, 0);
    m_users = new QListWidget(this);
    m_users->setFixedWidth(kUserListWidth);
    grid->addWidget(m_users, 1, 1);
    m_line = new QLineEdit(this);
    m_line->setMaxLength(kMaxTyped);
    connect(m_line, &QLineEdit::returnPressed, this, &CChatPanel::SendTyped);
    grid->addWidget(m_line, 2, 0, 1, 2);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(0, 1);
    ShowLine("Kestrel Chat", "");
}

CChatPanel::~CChatPanel() = default;

void CChatPanel::SetService(AuthContext* context, ServiceAddressList* addresses)
{
    m_context = context;
    m_addresses = addresses;
}

void CChatPanel::SetPlayerName(const std::string& name)
{
    m_playerName = name.empty() ? "?" : name;
    if (m_client)
        m_client->SetPlayerName(m_playerName);
}

void CChatPanel::Enter()
{
    if (m_client)
        return;
    if (!m_context) {
        m_ownContext = std::make_unique<AuthContext>(DefaultCredentialsPath());
        m_context = m_ownContext.get();
        if (m_playerName.empty() && m_context->Certificate())
            SetPlayerName(m_context->Certificate()->subject);
    }
    if (!m_addresses)
        m_addresses = &ServiceAddresses();
    m_client = std::make_unique<CChatClient>(m_context, m_addresses, this);
    m_client->SetPlayerName(m_playerName.empty() ? "?" : m_playerName);
    m_client->SetTimeouts(m_timeouts);
    m_client->SetPermanentRooms(LoadPermanentRooms());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool listed = m_client->RefreshRooms();
    QApplication::restoreOverrideCursor();
    if (!listed)
        return;
    const ChatRoom* room = m_client->Rooms().FindByPrefix("Lobby");
    if (!room && m_client->Rooms().Size() > 0)
        room = &m_client->Rooms().Rooms().front();
    if (room) {
        const ChatRoom copy = *room;
        ShowLine("Entering room " + copy.name, "");
        m_client->EnterRoom(copy);
        RoomsChanged();
    }
}

void CChatPanel::Poll()
{
    if (m_client)
        m_client->PollChat();
}

void CChatPanel::OpenRooms()
{
    Enter();
    if (!m_client || m_client->Busy())
        return;
    CRoomDialog dialog(*m_client, this, this);
    dialog.DoModal();
    RoomsChanged();
}

void CChatPanel::FindPlayer()
{
    if (!m_client || m_client->Busy())
        return;
    CKSInputDlg ask(GetString(254), ChatMessages::kMaxName, {}, this);
    const auto name = ask.Ask();
    if (name && !name->empty())
        m_client->FindName(*name);
}

void CChatPanel::SendTyped()
{
    const std::string typed = m_line->text().toStdString();
    if (typed.empty() || !m_client)
        return;
    m_line->clear();
    m_client->EnterLine(typed);
}

void CChatPanel::ShowLine(const std::string& text, const std::string& speaker)
{
    // Plain text only: the widget never reads markup, and hidden characters are gone.
    const std::string clean = ChatMessages::CleanText(text);
    const std::string line = speaker.empty() ? clean : "<" + ChatMessages::CleanText(speaker) + "> " + clean;
    QScrollBar* bar = m_text->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    m_text->appendPlainText(QString::fromStdString(line));
    if (atEnd)
        bar->setValue(bar->maximum());
}

void CChatPanel::UsersChanged()
{
    m_users->clear();
    if (!m_client)
        return;
    // Oldest first: the player, then the others in the order they came.
    const auto& users = m_client->Users();
    for (auto it = users.rbegin(); it != users.rend(); ++it)
        m_users->addItem(QString::fromStdString(it->ListText()));
}

void CChatPanel::RoomsChanged()
{
    const ChatRoom* room = m_client ? m_client->CurrentRoom() : nullptr;
    m_caption->setText(room ? QString::fromStdString(room->name) : QStringLiteral("Connecting..."));
}

std::optional<std::string> CChatPanel::AskPassword(const std::string& prompt)
{
    CKSInputDlg ask(prompt, ChatMessages::kMaxPassword + 1, {}, this);
    return ask.Ask();
}
