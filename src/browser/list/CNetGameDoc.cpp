#include "browser/list/CNetGameDoc.h"

#include "app/settings/CommandLine.h"
#include "app/text/Messages.h"
#include "app/text/Prompt.h"
#include "app/text/ServiceAddressList.h"
#include "app/text/StringList.h"
#include "browser/lan/CKSLanAsyncSocket.h"
#include "browser/lan/LanReply.h"
#include "browser/list/ApplyServerFilter.h"
#include "browser/list/QuickStart.h"
#include "browser/list/RefreshLoop.h"
#include "browser/list/ServerSort.h"
#include "browser/master/MasterFilterText.h"
#include "browser/query/BrowserClock.h"
#include "browser/record/FavoriteServersFile.h"
#include "platform/NumberText.h"
#include "ui/InputPrompt.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

int g_quickStartLists = 0;
bool g_refreshDone = false;

constexpr double kLanCollectWindow = 2.0;

// The order duplicate removal and the carry-over use: address text byte by byte,
// then port.
bool AddressBefore(const CServerInfo* a, const CServerInfo* b)
{
    const int c = std::strcmp(a->address.c_str(), b->address.c_str());
    return c != 0 ? c < 0 : a->port < b->port;
}

bool SameAddress(const CServerInfo* a, const CServerInfo* b)
{
    return a->address == b->address && a->port == b->port;
}

// What a new master list keeps of a record the old list knew.
void CarryOver(CServerInfo& to, const CServerInfo& from)
{
    to.name = from.name;
    to.map = from.map;
    to.game = from.game;
    to.dir = from.dir;
    to.maxplayers = from.maxplayers;
    to.protocol = from.protocol;
    to.url = from.url;
    to.mod = from.mod;
    to.version = from.version;
    to.size = from.size;
    to.svside = from.svside;
    to.cldll = from.cldll;
    to.svtype = from.svtype;
    to.svos = from.svos;
    to.password = from.password;
    to.ksversion = from.ksversion;
    to.svping = from.svping;
    to.packetloss = from.packetloss;
    to.proxy = from.proxy;
    to.proxytarget = from.proxytarget;
    to.proxyaddress = from.proxyaddress;
    to.proxyIp = from.proxyIp;
    to.proxyPort = from.proxyPort;
}

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool ContainsNoCase(const std::string& text, const std::string& part)
{
    auto it = std::search(text.begin(), text.end(), part.begin(), part.end(),
                          [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
    return it != text.end() || part.empty();
}

bool Selectable(const CServerInfo* r)
{
    return r && !r->IsFiltered();
}

} // namespace

CNetGameDoc::CNetGameDoc(Kind kind) : m_kind(kind)
{
    Construct(Setup{});
}

CNetGameDoc::CNetGameDoc(Kind kind, const Setup& setup) : m_kind(kind)
{
    Construct(setup);
}

void CNetGameDoc::Construct(const Setup& setup)
{
    if (m_kind == Kind::QuickStart)
        ++g_quickStartLists;
    m_rate = PlayerConnectionRate();
    m_maxInFlight = MaxInFlightForRate(m_rate);
    m_maxRetries = DefaultQueryRetries();
    m_timeout = DefaultQueryTimeout();
    m_services = setup.services ? setup.services : &MasterDocument::Services();
    m_listPath = setup.listPath.isEmpty() ? FavoriteServersFile::DefaultPath() : setup.listPath;
    m_useListFile = setup.useListFile;
    m_lanTarget = setup.lanTarget;
    m_lanFirstPort = setup.lanFirstPort;
    m_filter = ReadServerFilter(setup.filterSection);
    if (IsLan())
        return;
    if (setup.resolveServices)
        m_services->ResolveAll();
    if (m_kind == Kind::Internet && m_useListFile)
        LoadFavorites();
    if (FindOption("-nopersist") || QuickStartFlag()) {
        StartMasterList(m_filter);
    } else if (m_kind == Kind::Internet && m_useListFile && Count() == 0) {
        // No saved servers (first start, or favsvrs.dat missing or empty): an empty list
        // is of no use, so the masters are asked at once, as "Update list" would.
        m_refreshAfterList = true;
        StartMasterList(m_filter);
    }
}

CNetGameDoc::~CNetGameDoc()
{
    Close();
    if (m_kind == Kind::QuickStart)
        --g_quickStartLists;
}

bool CNetGameDoc::QuickStartFlag()
{
    return g_quickStartLists > 0;
}

bool CNetGameDoc::RefreshDoneFlag()
{
    return g_refreshDone;
}

void CNetGameDoc::SetRefreshDoneFlag(bool done)
{
    g_refreshDone = done;
}

// --- Records ---------------------------------------------------------------------

CServerInfo* CNetGameDoc::AddServer(const std::string& address, int port, bool noDuplicateCheck)
{
    return m_servers.AddServer(address, port, noDuplicateCheck);
}

void CNetGameDoc::RemoveServer(CServerInfo* record)
{
    m_engine.Forget(record);
    m_servers.RemoveServer(record);
}

void CNetGameDoc::DeleteAll(bool keepFavorites)
{
    m_engine.Clear();
    m_servers.DeleteAll(keepFavorites);
}

// --- Settings --------------------------------------------------------------------

void CNetGameDoc::SetConnectionRate(int32_t rate)
{
    m_rate = rate;
    SetPlayerConnectionRate(rate);
    m_maxInFlight = MaxInFlightForRate(rate);
}

void CNetGameDoc::SetTimeoutAndRetries(double timeout, int retries)
{
    m_timeout = timeout;
    m_maxRetries = retries;
}

RefreshParams CNetGameDoc::RefreshAllParams() const
{
    RefreshParams p;
    p.maxInFlight = m_maxInFlight;
    p.maxRetries = m_maxRetries;
    p.timeout = m_timeout;
    p.flags = RefreshParams::kRequestInfo;
    p.idleTimeout = m_idleTimeout > 0.0 ? m_idleTimeout : RefreshParams::kDefaultIdleTimeout;
    p.showNames = false;
    return p;
}

RefreshParams CNetGameDoc::DetailsParams() const
{
    RefreshParams p = RefreshAllParams();
    p.flags = RefreshParams::kRequestInfo | RefreshParams::kRequestPlayers | RefreshParams::kRequestRules;
    return p;
}

RefreshParams CNetGameDoc::SingleServerParams() const
{
    RefreshParams p = RefreshAllParams();
    p.maxInFlight = 1;
    p.maxRetries = std::min(kSingleMaxRetries, m_maxRetries);
    p.idleTimeout = kSingleIdleTimeout;
    p.showNames = true;
    return p;
}

void CNetGameDoc::ApplyFilters()
{
    ApplyServerFilter(Head(), m_filter, RefreshDoneFlag());
    if (m_view)
        m_view->OnListReplaced();
}

// --- List file -------------------------------------------------------------------

bool CNetGameDoc::LoadFavorites()
{
    if (m_kind != Kind::Internet || !m_useListFile)
        return false;
    FavoriteServersFile::LoadResult loaded = FavoriteServersFile::Load(m_listPath, CurrentPrompt());
    m_engine.Clear();
    m_servers.DeleteAll();
    // Pushed from the back, so the list keeps the loaded order.
    for (auto it = loaded.servers.rbegin(); it != loaded.servers.rend(); ++it)
        m_servers.PushFront(it->release());
    return true;
}

bool CNetGameDoc::SaveFavorites()
{
    if (m_kind != Kind::Internet || !m_useListFile)
        return false;
    std::vector<const CServerInfo*> list;
    for (const CServerInfo* r = Head(); r; r = r->next)
        list.push_back(r);
    return FavoriteServersFile::Save(m_listPath, list);
}

void CNetGameDoc::Close()
{
    if (m_closed)
        return;
    m_closed = true;
    m_engine.Cancel();
    CancelMasterExchange();
    StopDiscovery();
    m_lanPhase = LanPhase::Idle;
    if (m_saveMark)
        SaveFavorites();
}

// --- Master exchange -------------------------------------------------------------

ServiceAddressList& CNetGameDoc::Services()
{
    return *m_services;
}

void CNetGameDoc::OnServerData()
{
    if (m_view)
        m_view->OnListReplaced();
}

void CNetGameDoc::AddMasterServer(const std::string& address, int port)
{
    m_servers.AddServer(address, port, true);
}

bool CNetGameDoc::MasterExchangeInProgress() const
{
    return m_master != nullptr;
}

void CNetGameDoc::CancelMasterExchange()
{
    m_master.reset();
    m_retiredMaster.reset();
    m_masterResult.reset();
}

void CNetGameDoc::ReportStatus(const std::string& text)
{
    m_statusText = text;
    if (m_view)
        m_view->OnStatusText(text);
}

void CNetGameDoc::StartMasterList(const ServerFilter& filter)
{
    MasterFilterChoices choices;
    choices.dedicatedOnly = filter.dedicatedOnly;
    choices.gameFilter = filter.game;
    choices.gameName = filter.gameName;
    choices.mapFilter = filter.map;
    choices.mapName = filter.mapName;
    choices.linuxOnly = filter.linuxOnly;
    choices.hideEmpty = filter.empty;
    choices.hideFull = filter.full;
    choices.proxyFilter = filter.proxyFilter;
    choices.proxiesOnly = filter.proxiesOnly;
    StartMasterListWithText(BuildMasterFilterText(choices));
}

void CNetGameDoc::StartMasterListWithText(const std::string& filterText)
{
    if (IsLan())
        return;
    // The records the refresh works on are about to move.
    m_engine.Clear();
    m_previous.DeleteAll();
    std::vector<CServerInfo*> all = m_servers.ReleaseAll();
    for (auto it = all.rbegin(); it != all.rend(); ++it)
        ((*it)->favorite ? m_servers : m_previous).PushFront(*it);

    m_retiredMaster = std::move(m_master);
    // An exchange still running stops hearing its master now: a late batch of it would
    // add servers of the old filter to the new list, and its end would pass for the
    // new exchange's.
    if (m_retiredMaster && m_retiredMaster->Socket())
        m_retiredMaster->Socket()->close();
    m_masterResult.reset();
    m_master = std::make_unique<MasterListRequest>(
        *this, Services(), [this](MasterDocument&, int result) { OnMasterListDone(result); },
        [this](MasterDocument&, const std::string& text) { ReportStatus(text); });
    m_master->Start(filterText);
}

void CNetGameDoc::RemoveDuplicates()
{
    std::vector<CServerInfo*> all = m_servers.ReleaseAll();
    std::stable_sort(all.begin(), all.end(), AddressBefore);
    std::vector<CServerInfo*> kept;
    for (size_t i = 0; i < all.size();) {
        size_t end = i + 1;
        while (end < all.size() && SameAddress(all[i], all[end]))
            ++end;
        // Of equal records the favourite survives (the first of them otherwise).
        size_t keep = i;
        for (size_t k = i; k < end; ++k) {
            if (all[k]->favorite) {
                keep = k;
                break;
            }
        }
        for (size_t k = i; k < end; ++k) {
            if (k != keep)
                DestroyRecord(all[k]);
        }
        kept.push_back(all[keep]);
        i = end;
    }
    for (auto it = kept.rbegin(); it != kept.rend(); ++it)
        m_servers.PushFront(*it);
}

void CNetGameDoc::CarryOverFromPrevious()
{
    std::vector<CServerInfo*> previous;
    for (CServerInfo* r = m_previous.Head(); r; r = r->next)
        previous.push_back(r);
    std::stable_sort(previous.begin(), previous.end(), AddressBefore);
    for (CServerInfo* r = Head(); r; r = r->next) {
        if (r->favorite)
            continue;
        auto it = std::lower_bound(previous.begin(), previous.end(), r, AddressBefore);
        if (it != previous.end() && SameAddress(*it, r))
            CarryOver(*r, **it);
    }
    m_previous.DeleteAll();
}

void CNetGameDoc::DestroyRecord(CServerInfo* record)
{
    m_engine.Forget(record);
    delete record;
}

void CNetGameDoc::OnMasterListDone(int result)
{
    if (!m_master || m_masterResult)
        return;
    if (result != MasterListRequest::kComplete)
        ReportStatus(kListFailedText);
    // This may run inside a nested loop, where code holds records: the duplicates go
    // and the list is replaced at the next safe point.
    m_masterResult = result;
}

void CNetGameDoc::FinishMasterList(int result)
{
    // Destroyed at the next safe Work(), in case a loop nested in one of its socket's
    // own calls led here.
    m_retiredMaster = std::move(m_master);
    if (result != MasterListRequest::kComplete)
        return;
    RemoveDuplicates();
    CarryOverFromPrevious();
    if (m_view) {
        m_view->OnListReplaced();
        // At a safe point, so the refresh (a modal dialog of its own) runs now.
        if (m_refreshAfterList)
            m_view->OnRefreshAllRequested();
    }
}

// --- Refresh ---------------------------------------------------------------------

void CNetGameDoc::RunRefresh()
{
    const NestedLoop loop(*this);
    if (m_runner)
        m_runner(m_engine);
    else
        RunRefreshToEnd(m_engine);
    m_engine.Cancel(); // a runner that returned early leaves the records as they are
    if (m_view) {
        const std::vector<CServerInfo*> changed = m_engine.TakeChanged();
        if (!changed.empty())
            m_view->OnRecordsChanged(changed);
    }
}

void CNetGameDoc::StartRefresh(CServerInfo* head, const RefreshParams& params)
{
    m_engine.Begin(head, params);
    RunRefresh();
}

void CNetGameDoc::StartRefresh(const std::vector<CServerInfo*>& records, const RefreshParams& params)
{
    m_engine.Begin(records, params);
    RunRefresh();
}

void CNetGameDoc::BeginBackgroundRefresh(const RefreshParams& params)
{
    m_engine.Begin(Head(), params);
}

bool CNetGameDoc::AtSafePoint() const
{
    return m_nestedLoops == 0 && (!m_view || m_view->AtSafePoint());
}

bool CNetGameDoc::Work()
{
    // The exchange's time-outs and re-sends run wherever idle processing runs; what
    // follows changes the list and waits for a safe point.
    if (m_master && !m_masterResult)
        m_master->Think();
    if (!AtSafePoint())
        return false;
    m_retiredMaster.reset();
    if (m_masterResult) {
        const int result = *m_masterResult;
        m_masterResult.reset();
        FinishMasterList(result);
    }
    // Waiting for master replies or for the collection window to pass is no work: the
    // idle processing's quiet tick is precise enough for both.
    bool busy = false;
    if (m_lanPhase == LanPhase::Collecting && BrowserClockNow() - m_lanStart > kLanCollectWindow) {
        StopDiscovery();
        m_lanPhase = LanPhase::Refreshing;
        StartRefresh(Head(), RefreshAllParams());
        m_lanPhase = LanPhase::Idle;
        if (m_view)
            m_view->OnListReplaced();
    }
    // At a safe point no runner is running: a running engine is a background refresh.
    if (m_engine.Running()) {
        busy = true;
        m_engine.RunPass();
        if (m_view) {
            const std::vector<CServerInfo*> changed = m_engine.TakeChanged();
            if (!changed.empty())
                m_view->OnRecordsChanged(changed);
        }
    }
    return busy;
}

// --- List commands ---------------------------------------------------------------

void CNetGameDoc::RefreshAllCommand()
{
    if (m_view)
        m_view->OnListEmptied();
    const double now = BrowserClockNow();
    for (CServerInfo* r = Head(); r; r = r->next) {
        if (r->lan || r->IsFiltered())
            continue;
        r->CloseSocket();
        r->FreePlayers();
        r->ClearRules();
        r->status = CServerInfo::Idle;
        r->retries = 0;
        r->lastSend = now;
        r->svping = 0.0;
        r->noresponse = false;
        r->map.clear();
        r->maxplayers = 0;
        r->currentplayers = 0;
        r->protocol = 0;
    }
    StartRefresh(Head(), RefreshAllParams());
    SetRefreshDoneFlag(true);
    ApplyFilters();
}

void CNetGameDoc::RefreshSelectedCommand(const std::vector<CServerInfo*>& selected)
{
    if (selected.empty()) {
        ShowMessage(kMsgNoSelection);
        return;
    }
    for (CServerInfo* r = Head(); r; r = r->next)
        r->refreshedMark = false;
    ServerRecordList apart;
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        if (!Selectable(*it) || !m_servers.Release(*it))
            continue;
        (*it)->svping = 0.0;
        (*it)->refreshedMark = true;
        apart.PushFront(*it);
    }
    StartRefresh(apart.Head(), RefreshAllParams());
    std::vector<CServerInfo*> back = apart.ReleaseAll();
    for (auto it = back.rbegin(); it != back.rend(); ++it)
        m_servers.PushFront(*it);
    ApplyFilters();
}

void CNetGameDoc::UpdateListCommand(const ServerFilter& filter)
{
    if (m_view)
        m_view->OnListEmptied();
    m_refreshAfterList = true;
    StartMasterList(filter);
}

CServerInfo* CNetGameDoc::AddServerCommand()
{
    std::optional<std::string> text;
    {
        const NestedLoop loop(*this);
        text = CurrentInputPrompt().Ask(GetString(kMsgAddServerPrompt), kMaxAddressText);
    }
    if (!text)
        return nullptr;
    return AddServerByText(*text);
}

CServerInfo* CNetGameDoc::AddServerByText(const std::string& text)
{
    std::string host = text;
    int port = 0;
    const size_t colon = text.rfind(':');
    bool good = true;
    if (colon != std::string::npos) {
        host = text.substr(0, colon);
        const std::string portText = text.substr(colon + 1);
        good = !portText.empty() && portText.size() <= 5 &&
               std::all_of(portText.begin(), portText.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (good) {
            port = ParseInt(portText);
            good = port <= 65535;
        }
    }
    std::optional<uint32_t> ip;
    if (good && !host.empty())
        ip = ServiceAddressList::LookUpHost(host);
    if (!ip) {
        ShowMessage(kMsgBadAddress);
        return nullptr;
    }
    if (port == 0)
        port = kPortWhenAdded;
    CServerInfo* record = AddServer(ServiceAddressList::DottedAddress(*ip), port);
    if (!record)
        return nullptr;
    record->favorite = true;
    StartRefresh(std::vector<CServerInfo*>{record}, SingleServerParams());
    if (m_view)
        m_view->OnListReplaced();
    return record;
}

void CNetGameDoc::SetFavorites(const std::vector<CServerInfo*>& selected, bool favorite)
{
    for (CServerInfo* r : selected)
        if (Selectable(r))
            r->favorite = favorite;
}

std::vector<CServerInfo*> CNetGameDoc::RankBestFirst()
{
    std::vector<CServerInfo*> records = m_servers.ReleaseAll();
    RankServers(records, m_rate);
    for (auto it = records.rbegin(); it != records.rend(); ++it)
        m_servers.PushFront(*it);
    return records;
}

int CNetGameDoc::DeleteCommand(const std::vector<CServerInfo*>& selected)
{
    if (selected.empty()) {
        ShowMessage(kMsgNoSelection);
        return 0;
    }
    const std::string question = FormatString(kMsgDeleteConfirm, int(selected.size()));
    int answer = 0;
    {
        // The prompt's loop runs while the caller holds the selected records.
        const NestedLoop loop(*this);
        answer = CurrentPrompt().Show(question, PromptButtons::YesNo);
    }
    if (answer != kPromptFirst)
        return 0;
    int removed = 0;
    for (CServerInfo* r : selected) {
        if (!Selectable(r))
            continue;
        m_engine.Forget(r);
        if (m_servers.RemoveServer(r))
            ++removed;
    }
    if (m_view)
        m_view->OnListReplaced();
    return removed;
}

std::vector<CServerInfo*> CNetGameDoc::FindCommand()
{
    std::optional<std::string> text;
    {
        const NestedLoop loop(*this);
        text = CurrentInputPrompt().Ask(GetString(kMsgFindPrompt), kMaxFindText);
    }
    if (!text)
        return {};
    return FindByName(Head(), *text);
}

std::vector<CServerInfo*> CNetGameDoc::FindByName(CServerInfo* head, const std::string& text)
{
    std::vector<CServerInfo*> found;
    for (CServerInfo* r = head; r; r = r->next)
        if (!r->IsFiltered() && ContainsNoCase(r->name, text))
            found.push_back(r);
    return found;
}

bool CNetGameDoc::PreJoinCheck(CServerInfo& record)
{
    if (FindOption("-nocheck"))
        return true;
    auto full = [&record] { return record.maxplayers > 0 && record.currentplayers >= record.maxplayers; };
    const double infoTime = record.InfoTime();
    if (!full() && infoTime >= 0.0 && BrowserClockNow() - infoTime < kPreJoinFreshness)
        return true;
    record.SetInfoTime(-1.0);
    StartRefresh(std::vector<CServerInfo*>{&record}, SingleServerParams());
    if (record.InfoTime() < 0.0) {
        ShowFormattedMessage(kMsgNoInfoReply, record.name.c_str());
        return false;
    }
    if (full()) {
        ShowFormattedMessage(kMsgServerFull, record.name.c_str());
        return false;
    }
    return true;
}

// --- LAN -------------------------------------------------------------------------

bool CNetGameDoc::StartDiscovery()
{
    if (!m_lanSocket) {
        m_lanSocket = std::make_unique<CKSLanAsyncSocket>(m_servers);
        m_lanSocket->SetTarget(m_lanTarget);
        m_lanSocket->SetFirstPort(m_lanFirstPort);
    }
    if (!m_lanSocket->Configure()) {
        m_lanSocket.reset();
        return false;
    }
    m_lanSocket->Broadcast();
    return true;
}

void CNetGameDoc::StopDiscovery()
{
    m_lanSocket.reset();
}

void CNetGameDoc::StartLanRefresh()
{
    if (!IsLan())
        return;
    if (m_view)
        m_view->OnListEmptied();
    m_engine.Clear();
    StopDiscovery();
    m_servers.DeleteAll();
    StartDiscovery();
    m_lanStart = BrowserClockNow();
    m_lanPhase = LanPhase::Collecting;
}

std::vector<CServerInfo*> CNetGameDoc::LanRows(const std::vector<int>& sortKeys) const
{
    std::vector<CServerInfo*> rows = ShownRowsInOrder(Head(), sortKeys);
    std::erase_if(rows, [](const CServerInfo* r) { return r->dir != kLanGameDir; });
    return rows;
}

// --- Quick start -----------------------------------------------------------------

std::vector<CServerInfo*> CNetGameDoc::RankedCandidates(const std::string* excludeServerAddress) const
{
    CandidateList candidates = QuickStartCandidates(Head(), CurrentQuickStartContext(excludeServerAddress));
    RankCandidates(candidates, m_rate);
    std::vector<CServerInfo*> ordered;
    for (CServerInfo* r = candidates.head; r; r = r->nextCandidate)
        ordered.push_back(r);
    return ordered;
}
