#include "browser/dialogs/CLan.h"

#include "app/settings/CommandLine.h"
#include "app/text/StringList.h"
#include "browser/dialogs/CNetGameDlg.h"
#include "browser/dialogs/CRefreshDlg.h"
#include "browser/dialogs/ServerCellPainter.h"
#include "browser/list/ServerListColumns.h"
#include "browser/list/ServerListRows.h"
#include "browser/list/SortOrderSetting.h"
#include "ui/CODBlendBtn.h"
#include "ui/CODKSListCtrl.h"
#include "ui/ModalIdleLoop.h"

#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int kMsgJoin = 307;
constexpr int kMsgRefresh = 273;
constexpr int kMsgCreateGame = 272;
constexpr int kMsgDone = 247;
constexpr const char* kSearchingText = "Looking for servers on the local network...";
constexpr const char* kNoneFoundText = "No servers were found on the local network.";

QString Text(int message)
{
    return QString::fromStdString(GetString(message));
}

} // namespace

CNetGameDoc::Setup CLan::LanSetup()
{
    CNetGameDoc::Setup setup;
    setup.resolveServices = false;
    return setup;
}

CLan::CLan(QWidget* parent, const CNetGameDoc::Setup& setup) : CKSDialog(parent, "dialog")
{
    SetHeader(kHeader);
    SetTitleText(QStringLiteral("LAN Games"));
    m_doc = std::make_unique<CNetGameDoc>(CNetGameDoc::Kind::Lan, setup);
    m_doc->SetView(this);
    m_doc->SetRefreshRunner(CRefreshDlg::Runner(this));
    m_work = std::make_unique<IdleWorkRegistration>([this] { return m_doc->Work(); });

    auto* layout = new QVBoxLayout(Content());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    m_list = new CODKSListCtrl(Content());
    m_list->SetSortSetting(kLanSortOrderSetting);
    m_list->SetCompare(CompareServerRows);
    m_list->SetCellPainter(ServerCellPainter());
    m_list->SetColumns(LanListColumns());
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(kCellName, QHeaderView::Stretch);
    m_view = std::make_unique<ServerListView>(*m_list->Model(), FindOption("-numericping"));
    connect(m_list, &CODKSListCtrl::RowActivated, this, [this](quint32) { Join(); });
    layout->addWidget(m_list, 1);
    m_status = new QLabel(Content());
    m_status->setTextFormat(Qt::PlainText);
    layout->addWidget(m_status);

    AddButton(Text(kMsgDone), QDialog::Rejected);
    connect(AddButton(Text(kMsgCreateGame)), &QAbstractButton::clicked, this, &CLan::CreateGame);
    connect(AddButton(Text(kMsgRefresh)), &QAbstractButton::clicked, this, &CLan::Refresh);
    CODBlendBtn* join = AddButton(Text(kMsgJoin));
    connect(join, &QAbstractButton::clicked, this, &CLan::Join);
    SetDefaultButton(join);

    Refresh();
}

CLan::~CLan()
{
    m_view->Clear();
    m_work.reset();
    m_doc->SetView(nullptr);
}

void CLan::OnListEmptied()
{
    m_view->Clear();
}

void CLan::OnListReplaced()
{
    m_searching = false;
    FillList();
}

void CLan::Refresh()
{
    m_searching = true;
    m_doc->StartLanRefresh();
    m_status->setText(QString::fromLatin1(kSearchingText));
}

bool CLan::OnIdle()
{
    const bool more = CKSDialog::OnIdle();
    // Back from a game: the servers may have changed meanwhile.
    if (m_game.ComeBack())
        Refresh();
    // Discovery that could not start ends without a word from the document.
    if (m_searching && !m_doc->LanRefreshInProgress()) {
        m_searching = false;
        FillList();
    }
    return more;
}

bool CLan::AtSafePoint() const
{
    // While the game has the screen the list waits: a refresh dialog must not open
    // over the game.
    return ModalIdleLoop::Instance().NothingOpenAbove(this) && !m_game.Hidden();
}

void CLan::FillList()
{
    m_view->FillInOrder(m_doc->LanRows(m_list->SortKeys().Keys()));
    m_list->SelectFirstRow();
    const int shown = m_view->RowCount();
    m_status->setText(
        shown ? QString::fromStdString(FormatString(CNetGameDlg::kMsgCountsLine, shown, m_doc->PlayersShown()))
              : QString::fromLatin1(kNoneFoundText));
}

void CLan::Join()
{
    const KSListRow* row = m_list->SelectedRow();
    if (!row || m_searching)
        return;
    const uint32_t serial = row->serial;
    CServerInfo* record = ServerListView::FindRecord(m_doc->Head(), serial);
    if (!record || !m_doc->PreJoinCheck(*record))
        return;
    record = ServerListView::FindRecord(m_doc->Head(), serial);
    if (!record)
        return;
    bool joined = false;
    {
        // The join pumps events (and may ask for a password) while it reads the record.
        const CNetGameDoc::NestedLoop loop(*m_doc);
        joined = CNetGameDlg::JoinServer(*record);
    }
    // In a game the dialog waits out of sight; the player comes back to it.
    if (joined)
        m_game.Hide();
}

void CLan::CreateGame()
{
    // On a listen server the player is in the game: the dialog waits out of sight.
    if (CNetGameDlg::RunCreateGame(this))
        m_game.Hide();
}
