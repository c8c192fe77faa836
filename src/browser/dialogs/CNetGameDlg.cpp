#include "browser/dialogs/CNetGameDlg.h"

#include "app/engine/EngineHost.h"
#include "app/engine/EngineStatus.h"
#include "app/menu/LauncherJoin.h"
#include "app/settings/CommandLine.h"
#include "app/text/Messages.h"
#include "app/text/StringList.h"
#include "browser/dialogs/CFilterDialog.h"
#include "browser/dialogs/CPlayerInfoDlg.h"
#include "browser/dialogs/CRefreshDlg.h"
#include "browser/dialogs/ServerCellPainter.h"
#include "browser/list/ConnectionRateChoice.h"
#include "browser/list/FilterSummary.h"
#include "browser/list/ServerJoinTarget.h"
#include "browser/list/ServerListColumns.h"
#include "browser/list/ServerListRows.h"
#include "browser/list/SortOrderSetting.h"
#include "config/player/PlayerConfigStore.h"
#include "online/dialogs/CChatPanel.h"
#include "ui/CODBlendBtn.h"
#include "ui/CODControls.h"
#include "ui/CODKSListCtrl.h"
#include "ui/ModalIdleLoop.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <unordered_set>

namespace {

constexpr int kMsgRefresh = 273;
constexpr int kMsgUpdateList = 317;
constexpr int kMsgFilter = 253;
constexpr int kMsgAddServer = 316;
constexpr int kMsgFind = 254;
constexpr int kMsgDetails = 318;
constexpr int kMsgCreateGame = 272;
constexpr int kMsgDisconnect = 315;
constexpr int kMsgResume = 314;
constexpr int kMsgDone = 247;
constexpr int kMsgAddFavorite = 111;
constexpr int kMsgRemoveFavorite = 112;
constexpr int kMsgDelete = 113;
constexpr int kMsgBestFirst = 500;
constexpr int kMsgRefreshSelected = 525;
constexpr int kCommandColumnWidth = 112;
constexpr int kCommandButtonHeight = 24;
constexpr int kRateSelectorWidth = 160;
constexpr const char* kCreateGameMissing = "Creating a game server is not available in this version.";

QString Text(int message)
{
    return QString::fromStdString(GetString(message));
}

CNetGameDlg::CreateGameHook& CreateHook()
{
    static CNetGameDlg::CreateGameHook hook;
    return hook;
}

CNetGameDlg::JoinFunction& JoinHook()
{
    static CNetGameDlg::JoinFunction join;
    return join;
}

bool JoinWithLauncher(const CServerInfo& record)
{
    EngineHost& host = TheEngineHost();
    if (host.Loaded())
        host.AddCommandText("disconnect\n");
    const JoinTarget target = JoinTargetFor(record);
    return LauncherJoinServer(&target);
}

} // namespace

void CNetGameDlg::SetCreateGameHook(CreateGameHook hook)
{
    CreateHook() = std::move(hook);
}

void CNetGameDlg::SetJoinFunction(JoinFunction join)
{
    JoinHook() = std::move(join);
}

CNetGameDlg::CNetGameDlg(QWidget* parent, const CNetGameDoc::Setup& setup) : CNetGameDlg(parent, setup, Variant())
{
}

CNetGameDlg::CNetGameDlg(QWidget* parent, const CNetGameDoc::Setup& setup, Variant variant)
    : CKSDialog(parent, "dialog"), m_variant(std::move(variant))
{
    SetLauncherSize();
    SetHeader(m_variant.headerName);
    SetTitleText(m_variant.title);

    CNetGameDoc::Setup docSetup = setup;
    docSetup.filterSection = m_variant.settingsSection;
    m_doc = std::make_unique<CNetGameDoc>(CNetGameDoc::Kind::Internet, docSetup);
    m_doc->SetView(this);
    m_doc->SetRefreshRunner(CRefreshDlg::Runner(this));
    m_work = std::make_unique<IdleWorkRegistration>([this] { return m_doc->Work(); });

    BuildControls();
    m_filter = ReadFilters();
    m_doc->SetFilter(m_filter);
    m_batchTimer.setInterval(kBatchIntervalMs);
    connect(&m_batchTimer, &QTimer::timeout, this, &CNetGameDlg::FlushBatch);
    m_batchTimer.start();

    // The spectator list hides everything but proxies at once.
    if (m_doc->Head() || m_variant.proxiesOnly)
        ApplyFilters(m_filter);
    else
        FillList();
}

CNetGameDlg::~CNetGameDlg()
{
    // The rows point at records: they go first.
    m_batchTimer.stop();
    m_chatTimer.stop();
    m_view->Clear();
    m_work.reset();
    if (!m_closed) {
        m_doc->SetSaveMark(true);
        m_doc->Close();
    }
    m_doc->SetView(nullptr);
}

void CNetGameDlg::BuildControls()
{
    auto* grid = new QGridLayout(Content());
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(4);

    auto* top = new QHBoxLayout();
    top->setContentsMargins(0, 0, 0, 0);
    m_filterLine = new QLabel(Content());
    m_filterLine->setStyleSheet(QStringLiteral("color: %1;").arg(Palette().dimText.name()));
    m_filterLine->setTextFormat(Qt::PlainText);
    top->addWidget(m_filterLine, 1);

    m_rate = new CODComboBox(Content());
    for (const int label : kRateEntryLabels)
        m_rate->addItem(Text(label));
    m_rate->setFixedWidth(kRateSelectorWidth);
    m_rate->setCurrentIndex(RateEntryFor(m_doc->ConnectionRate()));
    connect(m_rate, qOverload<int>(&QComboBox::activated), this, &CNetGameDlg::ChooseRate);
    top->addWidget(m_rate);
    grid->addLayout(top, 0, 0, 1, 2);

    m_list = new CODKSListCtrl(Content());
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->SetSortSetting(kNetSortOrderSetting);
    m_list->SetCompare(CompareServerRows);
    m_list->SetCellPainter(ServerCellPainter());
    m_list->SetColumns(InternetListColumns());
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(kCellName, QHeaderView::Stretch);
    m_view = std::make_unique<ServerListView>(*m_list->Model(), FindOption("-numericping"));
    connect(m_list, &CODKSListCtrl::RowActivated, this, [this](quint32) { Join(); });
    connect(m_list, &CODKSListCtrl::RowContextMenu, this, [this](quint32, QPoint at) { ShowContextMenu(at); });
    m_views = new QStackedWidget(Content());
    m_views->addWidget(m_list);
    m_chat = new CChatPanel(m_views);
    m_views->addWidget(m_chat);
    grid->addWidget(m_views, 1, 0);
    connect(&m_chatTimer, &QTimer::timeout, m_chat, &CChatPanel::Poll);

    auto* commands = new QVBoxLayout();
    commands->setSpacing(4);
    commands->setContentsMargins(0, 0, 0, 0);
    commands->addWidget(AddCommand(kMsgRefresh, &CNetGameDlg::RefreshAll));
    commands->addWidget(AddCommand(kMsgUpdateList, &CNetGameDlg::UpdateList));
    commands->addWidget(AddCommand(kMsgFilter, &CNetGameDlg::OpenFilter));
    commands->addWidget(AddCommand(kMsgFind, &CNetGameDlg::Find));
    commands->addWidget(AddCommand(kMsgAddServer, &CNetGameDlg::AddServer));
    commands->addWidget(AddCommand(kMsgDetails, &CNetGameDlg::Details));
    if (m_variant.createGameButton)
        commands->addWidget(AddCommand(kMsgCreateGame, &CNetGameDlg::CreateGame));
    m_switch = new CODBlendBtn(QStringLiteral("Chat Rooms"), Content());
    m_switch->setFixedSize(kCommandColumnWidth, kCommandButtonHeight);
    connect(m_switch, &QAbstractButton::clicked, this, &CNetGameDlg::SwitchView);
    commands->addWidget(m_switch);
    commands->addStretch(1);
    commands->addWidget(AddCommand(kMsgDisconnect, &CNetGameDlg::Disconnect));
    commands->addWidget(AddCommand(kMsgResume, &CNetGameDlg::Resume));
    grid->addLayout(commands, 1, 1);

    m_status = new QLabel(Content());
    m_status->setTextFormat(Qt::PlainText);
    grid->addWidget(m_status, 2, 0, 1, 2);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(0, 1);

    CODBlendBtn* done = AddButton(Text(kMsgDone));
    connect(done, &QAbstractButton::clicked, this, [this] { CloseDialog(QDialog::Rejected); });
    CODBlendBtn* join = AddButton(Text(m_variant.joinLabel));
    connect(join, &QAbstractButton::clicked, this, &CNetGameDlg::Join);
    SetDefaultButton(join);
}

void CNetGameDlg::SwitchView()
{
    const bool toRooms = !InRoomsView();
    m_views->setCurrentWidget(toRooms ? static_cast<QWidget*>(m_chat) : m_list);
    m_switch->setText(toRooms ? QStringLiteral("Server List") : QStringLiteral("Chat Rooms"));
    if (!toRooms)
        return;
    m_chat->Enter();
    m_chatTimer.start(kChatTickMs);
}

bool CNetGameDlg::InRoomsView() const
{
    return m_views->currentWidget() == m_chat;
}

CODBlendBtn* CNetGameDlg::AddCommand(int message, void (CNetGameDlg::*command)())
{
    auto* button = new CODBlendBtn(Text(message), Content());
    button->setFixedSize(kCommandColumnWidth, kCommandButtonHeight);
    connect(button, &QAbstractButton::clicked, this, command);
    m_commands.push_back(button);
    return button;
}

CODBlendBtn* CNetGameDlg::CommandButton(const QString& label) const
{
    for (CODBlendBtn* button : m_commands)
        if (button->text() == label)
            return button;
    for (CODBlendBtn* button : Buttons())
        if (button->text() == label)
            return button;
    return nullptr;
}

void CNetGameDlg::ShowContextMenu(QPoint at)
{
    QMenu menu(this);
    menu.setStyleSheet(styleSheet());
    menu.addAction(Text(kMsgAddFavorite), this, [this] { SetFavorites(true); });
    menu.addAction(Text(kMsgRemoveFavorite), this, [this] { SetFavorites(false); });
    menu.addAction(Text(kMsgDelete), this, &CNetGameDlg::Delete);
    menu.addSeparator();
    menu.addAction(Text(kMsgBestFirst), this, &CNetGameDlg::BestServersFirst);
    menu.addAction(Text(kMsgRefreshSelected), this, &CNetGameDlg::RefreshSelected);
    menu.exec(at);
}

ServerFilter CNetGameDlg::ReadFilters() const
{
    ServerFilter filter = ReadServerFilter(m_variant.settingsSection);
    if (m_variant.proxiesOnly)
        filter.ForceProxiesOnly();
    return filter;
}

void CNetGameDlg::ApplyFilters(const ServerFilter& filter)
{
    m_filter = filter;
    if (m_variant.proxiesOnly)
        m_filter.ForceProxiesOnly();
    m_doc->SetFilter(m_filter);
    m_doc->ApplyFilters(); // the document asks for the rows again
}

void CNetGameDlg::FillList()
{
    m_view->Fill(m_doc->Head(), m_list->SortKeys());
    m_list->SelectFirstRow();
    ShowCounts();
}

void CNetGameDlg::ShowCounts()
{
    if (m_doc->CountShown() > 0)
        m_status->setText(
            QString::fromStdString(FormatString(kMsgCountsLine, m_doc->CountShown(), m_doc->PlayersShown())));
    m_filterLine->setText(QString::fromStdString(FilterSummary(m_filter)));
}

std::vector<CServerInfo*> CNetGameDlg::SelectedRecords() const
{
    std::unordered_set<uint32_t> wanted;
    for (const KSListRow* row : m_list->SelectedRows())
        wanted.insert(row->serial);
    std::vector<CServerInfo*> records;
    for (CServerInfo* r = m_doc->Head(); r && !wanted.empty(); r = r->next)
        if (wanted.count(r->serial) && !r->IsFiltered())
            records.push_back(r);
    return records;
}

CServerInfo* CNetGameDlg::SelectedRecord() const
{
    const KSListRow* row = m_list->SelectedRow();
    if (!row)
        return nullptr;
    CServerInfo* record = ServerListView::FindRecord(m_doc->Head(), row->serial);
    return record && !record->IsFiltered() ? record : nullptr;
}

void CNetGameDlg::SelectRecords(const std::vector<CServerInfo*>& records)
{
    std::unordered_set<uint32_t> wanted;
    for (const CServerInfo* r : records)
        wanted.insert(r->serial);
    QItemSelection selection;
    const KSListModel* model = m_list->Model();
    for (int i = 0; i < model->rowCount(); ++i)
        if (wanted.count(model->Row(i)->serial))
            selection.select(model->index(i, 0), model->index(i, model->columnCount() - 1));
    m_list->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (!selection.isEmpty())
        m_list->scrollTo(selection.indexes().first());
}

void CNetGameDlg::RunBatched(CServerInfo* head, const std::function<void()>& refresh)
{
    m_batchHead = head;
    refresh();
    m_batchHead = nullptr;
}

void CNetGameDlg::FlushBatch()
{
    if (!m_batchHead && !m_batchDirty)
        return;
    m_batchDirty = false;
    const ServerListView::Batch batch = m_view->UpdateBatch(m_batchHead, &m_filter, CNetGameDoc::RefreshDoneFlag());
    if (batch.changed || batch.appended)
        ++m_batches;
    if (batch.appended && m_list->selectionModel()->selectedRows().isEmpty())
        m_list->SelectFirstRow();
}

void CNetGameDlg::RefreshAll()
{
    // The document empties the rows first and asks for them again at the end.
    RunBatched(m_doc->Head(), [this] { m_doc->RefreshAllCommand(); });
}

void CNetGameDlg::RefreshSelected()
{
    const std::vector<CServerInfo*> selected = SelectedRecords();
    RunBatched(nullptr, [&] { m_doc->RefreshSelectedCommand(selected); });
}

void CNetGameDlg::UpdateList()
{
    m_doc->UpdateListCommand(m_filter);
}

void CNetGameDlg::OpenFilter()
{
    CFilterDialog dialog(m_variant.settingsSection, this);
    if (dialog.DoModal() == QDialog::Accepted)
        ApplyFilters(ReadFilters());
}

void CNetGameDlg::AddServer()
{
    CServerInfo* added = nullptr;
    RunBatched(nullptr, [&] { added = m_doc->AddServerCommand(); });
    if (added)
        SelectRecords({added});
}

void CNetGameDlg::Find()
{
    const std::vector<CServerInfo*> found = m_doc->FindCommand();
    if (!found.empty())
        SelectRecords(found);
}

void CNetGameDlg::Details()
{
    CServerInfo* record = SelectedRecord();
    if (!record)
        return;
    // The record alone is refreshed, with its players and rules. It is looked up again
    // afterwards: the document's idle work runs meanwhile.
    const uint32_t serial = record->Serial();
    const auto refresh = [this, serial] {
        CServerInfo* r = ServerListView::FindRecord(m_doc->Head(), serial);
        if (r)
            m_doc->StartRefresh(std::vector<CServerInfo*>{r}, m_doc->DetailsParams());
        return ServerListView::FindRecord(m_doc->Head(), serial) != nullptr;
    };
    if (!refresh())
        return;
    CPlayerInfoDlg details(*ServerListView::FindRecord(m_doc->Head(), serial), this);
    details.SetRefresh(refresh);
    details.DoModal();
    m_view->UpdateBatch(nullptr);
}

void CNetGameDlg::CreateGame()
{
    // On a listen server the player is in the game: the dialog waits out of sight.
    if (RunCreateGame(this))
        m_game.Hide();
}

bool CNetGameDlg::RunCreateGame(QWidget* parent)
{
    if (CreateHook())
        return CreateHook()(parent);
    ShowText(kCreateGameMissing);
    return false;
}

bool CNetGameDlg::JoinServer(const CServerInfo& record)
{
    return JoinHook() ? JoinHook()(record) : JoinWithLauncher(record);
}

void CNetGameDlg::SetFavorites(bool favorite)
{
    m_doc->SetFavorites(SelectedRecords(), favorite);
    m_view->UpdateBatch(nullptr);
}

void CNetGameDlg::Delete()
{
    const std::vector<CServerInfo*> selected = SelectedRecords();
    // The records stay while the prompt is open (the document changes the list only at
    // a safe point); it asks for the rows again right after destroying them.
    m_doc->DeleteCommand(selected);
}

void CNetGameDlg::BestServersFirst()
{
    m_view->FillInOrder(m_doc->RankBestFirst());
    m_list->SelectFirstRow();
    m_status->setText(QString::fromStdString(FormatString(kMsgCountsLine, m_doc->CountShown(), m_doc->PlayersShown())));
}

void CNetGameDlg::Disconnect()
{
    EngineHost& host = TheEngineHost();
    if (host.Loaded())
        host.AddCommandText("disconnect\n");
}

void CNetGameDlg::Resume()
{
    EngineHost& host = TheEngineHost();
    if (!host.Loaded() || host.Status().connectionState == kConnectionNone)
        return;
    SaveRate();
    if (host.RunEngine(false))
        m_game.Hide();
}

void CNetGameDlg::ChooseRate(int entry)
{
    const int32_t rate = RateForEntry(entry);
    if (rate == 0)
        return;
    m_doc->SetConnectionRate(rate);
    SavePlayerRate(rate);
}

void CNetGameDlg::SaveRate()
{
    ChooseRate(m_rate->currentIndex());
}

void CNetGameDlg::Join()
{
    CServerInfo* record = SelectedRecord();
    if (!record)
        return;
    SaveRate();
    const uint32_t serial = record->Serial();
    if (!m_doc->PreJoinCheck(*record))
        return;
    // The check refreshed the record; it must still be listed and shown.
    record = ServerListView::FindRecord(m_doc->Head(), serial);
    if (!record || record->IsFiltered())
        return;
    bool joined = false;
    {
        // The join pumps events (and may ask for a password) while it reads the record.
        const CNetGameDoc::NestedLoop loop(*m_doc);
        joined = JoinServer(*record);
    }
    // In a game the dialog waits out of sight; the player comes back to it.
    if (joined)
        m_game.Hide();
    else
        update();
}

bool CNetGameDlg::OnIdle()
{
    const bool more = CKSDialog::OnIdle(); // the engine frame and the document's work
    if (!m_closed)
        m_game.ComeBack();
    return more;
}

void CNetGameDlg::CloseDialog(int result)
{
    if (m_closed)
        return;
    SaveRate();
    m_batchTimer.stop();
    m_chatTimer.stop();
    m_view->Clear();
    m_closed = true;
    m_doc->SetSaveMark(true);
    m_doc->Close();
    done(result);
}

void CNetGameDlg::DiscardWithoutSaving()
{
    m_batchTimer.stop();
    m_chatTimer.stop();
    m_view->Clear();
    m_closed = true;
    m_doc->SetSaveMark(false);
    m_doc->Close();
}

void CNetGameDlg::OnEscape()
{
    CloseDialog(QDialog::Rejected);
}

void CNetGameDlg::OnStatusText(const std::string& text)
{
    m_status->setText(QString::fromStdString(text));
}

void CNetGameDlg::OnListEmptied()
{
    m_view->Clear();
}

void CNetGameDlg::OnListReplaced()
{
    FillList();
}

void CNetGameDlg::OnRefreshAllRequested()
{
    // Asked at a safe point of the document's idle work, with nothing open above the
    // dialog: the refresh dialog opens now.
    if (!m_closed)
        RefreshAll();
}

bool CNetGameDlg::AtSafePoint() const
{
    // While the game has the screen the list waits: a refresh dialog must not open
    // over the game.
    return ModalIdleLoop::Instance().NothingOpenAbove(this) && !m_game.Hidden();
}

void CNetGameDlg::OnRecordsChanged(const std::vector<CServerInfo*>&)
{
    m_batchDirty = true;
}
