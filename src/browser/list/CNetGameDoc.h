#pragma once
// The server list document: the records of one list with the settings and operations
// that keep it current. Three kinds: the Internet list (favsvrs.dat, the masters),
// the LAN list (broadcast discovery, no file, no master) and the quick-start list
// (masters only, never the file). No widgets: dialogs are thin views over it.
//
// How a games dialog uses it:
//   - create it (CNetGameDoc doc(CNetGameDoc::Kind::Internet)); the Internet kind
//     loads favsvrs.dat, and with "-nopersist", or when the file gave no servers,
//     starts the master exchange at once;
//   - give it a view (SetView) for status texts, "redisplay the list" requests and
//     batched "records changed" notices, and register doc.Work() as idle work
//     (IdleWorkRegistration work([&] { return doc.Work(); })): it runs the master
//     exchange's time-outs, LAN discovery and a background refresh;
//   - start a refresh: RefreshAllCommand() / RefreshSelectedCommand() run it to the
//     end through the refresh runner: the modal progress dialog after
//     doc.SetRefreshRunner(CRefreshDlg::Runner(this)), a plain loop otherwise (which
//     blocks the window: install the dialog's runner). BeginBackgroundRefresh()
//     instead starts one that Work() drives pass by pass; the view's
//     OnRecordsChanged (or TakeChangedRecords() without a view) gets what changed;
//   - the LAN kind: StartLanRefresh(), then Work() ends the two-second collection and
//     refreshes what answered through the runner; LanRows() gives the rows;
//   - records are destroyed only through the document (RemoveServer, DeleteAll,
//     DeleteCommand, the end of a master exchange), which tells the refresh engine;
//   - nothing removes or reorders records while a nested event loop runs over the
//     list: the document announces its own (a refresh, a prompt) with NestedLoop, the
//     view answers AtSafePoint() false while a dialog is open above it, and until both
//     allow it Work() leaves the list alone (the end of a master exchange, of the LAN
//     collection and the refresh that follows wait for that safe point);
//   - before closing: SetSaveMark(true) and Close() (or let the destructor do it).
#include "browser/list/RefreshEngine.h"
#include "browser/list/ServerFilter.h"
#include "browser/list/ServerRecordList.h"
#include "browser/master/MasterDocument.h"
#include "browser/master/MasterListRequest.h"
#include "browser/query/MaxInFlight.h"
#include "browser/query/RefreshParams.h"
#include "browser/record/CServerInfo.h"

#include <QHostAddress>
#include <QString>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CKSLanAsyncSocket;
class CKSMasterAsyncSocket;
class ServiceAddressList;

// What the document tells the dialog that shows it. Every call comes on the UI thread.
class NetGameDocView
{
public:
    virtual ~NetGameDocView() = default;
    // The status line: master exchange progress and results.
    virtual void OnStatusText(const std::string& /*text*/) {}
    // A command is about to change every record: empty the list control.
    virtual void OnListEmptied() {}
    // The list changed as a whole (a master exchange or a refresh command ended, the
    // filter was applied): rebuild the rows.
    virtual void OnListReplaced() {}
    // The master exchange ended and a refresh of all servers was asked for.
    virtual void OnRefreshAllRequested() {}
    // Records whose fields changed during a background refresh, each once per batch.
    virtual void OnRecordsChanged(const std::vector<CServerInfo*>& /*records*/) {}
    // False while a dialog is open above the view (a prompt, the refresh dialog, the
    // server details): code there may hold records, so the list waits.
    virtual bool AtSafePoint() const { return true; }
};

class CNetGameDoc : public MasterDocument
{
public:
    enum class Kind
    {
        Internet,
        Lan,
        QuickStart,
    };

    static constexpr int kPortWhenAdded = 27015;       // port 0 in "add server"
    static constexpr double kPreJoinFreshness = 5.0;   // seconds an info reply stays good
    static constexpr double kSingleIdleTimeout = 3.0;  // add server, pre-join check
    static constexpr int kSingleMaxRetries = 3;
    static constexpr size_t kMaxAddressText = 255;
    static constexpr size_t kMaxFindText = 255;
    static constexpr const char* kListFailedText = "Couldn't get list of servers.";

    static constexpr int kMsgNoInfoReply = 28;
    static constexpr int kMsgNoSelection = 37;
    static constexpr int kMsgDeleteConfirm = 103;
    static constexpr int kMsgFindPrompt = 168;
    static constexpr int kMsgBadAddress = 344;
    static constexpr int kMsgAddServerPrompt = 356;
    static constexpr int kMsgServerFull = 555;

    struct Setup
    {
        // The list file; empty: favsvrs.dat in the base directory.
        QString listPath;
        // The service addresses of the masters; null: the launcher's own list.
        ServiceAddressList* services = nullptr;
        // Look up the service addresses' host names when the list is created.
        bool resolveServices = true;
        // The filter settings section the master exchange of "-nopersist" and quick
        // start reads.
        std::string filterSection = "Settings";
        // Where LAN discovery sends; tests use the loopback address.
        QHostAddress lanTarget{QHostAddress::Broadcast};
        // Read and write the list file (an Internet list of a tool may do without).
        bool useListFile = true;
        // The first of the ten game ports LAN discovery asks.
        quint16 lanFirstPort = 27015;
    };

    // Runs a refresh to its end (the modal refresh dialog, or a loop without window).
    using RefreshRunner = std::function<void(RefreshEngine&)>;

    // A nested event loop run while records of the list are held (a refresh, a prompt,
    // a join): while one runs the document removes and reorders no record.
    class NestedLoop
    {
    public:
        explicit NestedLoop(CNetGameDoc& doc) : m_doc(doc) { ++m_doc.m_nestedLoops; }
        ~NestedLoop() { --m_doc.m_nestedLoops; }
        NestedLoop(const NestedLoop&) = delete;
        NestedLoop& operator=(const NestedLoop&) = delete;

    private:
        CNetGameDoc& m_doc;
    };

    explicit CNetGameDoc(Kind kind);
    CNetGameDoc(Kind kind, const Setup& setup);
    ~CNetGameDoc() override;
    CNetGameDoc(const CNetGameDoc&) = delete;
    CNetGameDoc& operator=(const CNetGameDoc&) = delete;

    Kind GetKind() const { return m_kind; }
    bool IsLan() const { return m_kind == Kind::Lan; }
    void SetView(NetGameDocView* view) { m_view = view; }

    // --- Records -------------------------------------------------------------
    ServerRecordList& Servers() { return m_servers; }
    CServerInfo* Head() const { return m_servers.Head(); }
    CServerInfo* AddServer(const std::string& address, int port, bool noDuplicateCheck = false);
    void RemoveServer(CServerInfo* record);
    void DeleteAll(bool keepFavorites = false);
    // Keeps one record per address (the favourite among equals, else the first), as
    // after a master's list; the list is left in address order.
    void RemoveDuplicates();
    int Count() const { return m_servers.Count(); }
    int CountShown() const { return m_servers.CountShown(); }
    int PlayersShown() const { return m_servers.PlayersShown(); }

    // --- Settings ------------------------------------------------------------
    int MaxInFlight() const { return m_maxInFlight; }
    int MaxRetries() const { return m_maxRetries; }
    double Timeout() const { return m_timeout; }
    int32_t ConnectionRate() const { return m_rate; }
    // A new rate from the dialog's selector: max in flight is computed again.
    void SetConnectionRate(int32_t rate);
    // Replace what the command line and the rate gave (the command-line browser).
    void SetMaxInFlight(int maxInFlight) { m_maxInFlight = std::max(maxInFlight, kMinInFlight); }
    void SetTimeoutAndRetries(double timeout, int retries);
    // How long a refresh of the whole list goes on without a reply (0: the default).
    void SetIdleTimeout(double seconds) { m_idleTimeout = seconds; }
    // The parameter sets of the callers: refresh all / selected / LAN, details
    // (players and rules), and one record (add server, pre-join check).
    RefreshParams RefreshAllParams() const;
    RefreshParams DetailsParams() const;
    RefreshParams SingleServerParams() const;

    // The list's filter (the games dialog's settings); ApplyFilters sets every
    // record's filtered flag with it and asks the view to redisplay.
    void SetFilter(const ServerFilter& filter) { m_filter = filter; }
    const ServerFilter& Filter() const { return m_filter; }
    void ApplyFilters();

    // --- List file (Internet kind only) -------------------------------------------
    // Replaces the records with the file's (asking about a damaged file).
    bool LoadFavorites();
    // Writes the list to the file now; false when nothing could be written.
    bool SaveFavorites();
    void SetSaveMark(bool mark) { m_saveMark = mark; }
    bool SaveMark() const { return m_saveMark; }
    // The dialog closes: ends the work in progress and writes the file when the save
    // mark is set. The destructor does the same when Close was not called.
    void Close();
    const QString& ListPath() const { return m_listPath; }

    // --- Master exchange -------------------------------------------------------
    // Sets the non-favourites aside and asks the masters for a new list.
    void StartMasterList(const ServerFilter& filter);
    // The same with a ready filter text (backslash-separated key/value pairs).
    void StartMasterListWithText(const std::string& filterText);
    bool MasterExchangeInProgress() const;
    void CancelMasterExchange();
    const std::string& StatusText() const { return m_statusText; }
    void SetRefreshAfterList(bool refresh) { m_refreshAfterList = refresh; }
    int PreviousServerCount() const { return m_previous.Count(); }
    MasterListRequest* MasterRequest() const { return m_master.get(); }
    // The exchange's completion: a failure is reported at once; the new list replaces
    // the old one at the next safe point (Work), and only then does the exchange end.
    void OnMasterListDone(int result);

    // MasterDocument
    void AddMasterServer(const std::string& address, int port) override;
    bool QuickStartMode() const override { return m_kind == Kind::QuickStart; }
    int UnfilteredCount() const override { return CountShown(); }
    ServiceAddressList& Services() override;
    // A server-data reply changed the service addresses: the view redisplays.
    void OnServerData() override;

    // --- Refresh ---------------------------------------------------------------
    void SetRefreshRunner(RefreshRunner runner) { m_runner = std::move(runner); }
    // Refreshes the records of a list linked through next (the document's own, or a
    // list set apart) to the end, through the refresh runner.
    void StartRefresh(CServerInfo* head, const RefreshParams& params);
    void StartRefresh(const std::vector<CServerInfo*>& records, const RefreshParams& params);
    // Starts a refresh of the document's list that Work() drives.
    void BeginBackgroundRefresh(const RefreshParams& params);
    bool RefreshRunning() const { return m_engine.Running(); }
    void CancelRefresh() { m_engine.Cancel(); }
    RefreshEngine& Engine() { return m_engine; }
    // Records changed by the background refresh since the last call.
    std::vector<CServerInfo*> TakeChangedRecords() { return m_engine.TakeChanged(); }

    // One idle step of the document's network work: the master exchange's time-outs,
    // and at a safe point the end of the exchange, the end of the LAN collection
    // window and a background refresh pass. True only while a background refresh wants
    // its next pass at once: waiting for replies or for the window to pass is not work.
    bool Work();
    // No nested loop runs over the list (none of the document's own, no dialog above
    // its view): records may be removed and reordered now.
    bool AtSafePoint() const;

    // --- List commands ---------------------------------------------------------
    // Puts every record back to unknown and refreshes them all.
    void RefreshAllCommand();
    // Refreshes the selected records only (message 37 when none); the records are
    // moved to the head of the list.
    void RefreshSelectedCommand(const std::vector<CServerInfo*>& selected);
    // Asks the masters for a new list and refreshes it when it arrives.
    void UpdateListCommand(const ServerFilter& filter);
    // Asks for an address (message 356) and adds it as a favourite, refreshed.
    CServerInfo* AddServerCommand();
    // The same with the text given ("host[:port]"); message 344 when it does not resolve.
    CServerInfo* AddServerByText(const std::string& text);
    void SetFavorites(const std::vector<CServerInfo*>& selected, bool favorite);
    // Best servers first: ranks every record of the list (the quick-start order) and
    // relinks the list in that order, so the list file and later refreshes follow it.
    // Returns the records in their new order.
    std::vector<CServerInfo*> RankBestFirst();
    // Message 37 when none; asks message 103, then destroys the records. Returns the
    // number removed.
    int DeleteCommand(const std::vector<CServerInfo*>& selected);
    // Asks for a text (message 168); the records whose name contains it.
    std::vector<CServerInfo*> FindCommand();
    static std::vector<CServerInfo*> FindByName(CServerInfo* head, const std::string& text);
    // True when the player may join the server: full servers and servers that do not
    // answer are refused with messages 555 and 28.
    bool PreJoinCheck(CServerInfo& record);

    // --- LAN (LAN kind) --------------------------------------------------------
    // Empties the list and broadcasts; Work() ends the collection after two seconds
    // and refreshes what answered.
    void StartLanRefresh();
    bool LanRefreshInProgress() const { return m_lanPhase != LanPhase::Idle; }
    // The rows of the LAN list: unfiltered records whose dir is exactly "vrel".
    std::vector<CServerInfo*> LanRows(const std::vector<int>& sortKeys) const;

    // --- Quick start --------------------------------------------------------------
    // The candidates of the list, best first.
    std::vector<CServerInfo*> RankedCandidates(const std::string* excludeServerAddress = nullptr) const;

    // Process-wide: set while a quick-start list exists; set after the first full
    // refresh of the Internet list.
    static bool QuickStartFlag();
    static bool RefreshDoneFlag();
    static void SetRefreshDoneFlag(bool done);

private:
    enum class LanPhase
    {
        Idle,
        Collecting,
        Refreshing,
    };

    void Construct(const Setup& setup);
    void RunRefresh();
    void FinishMasterList(int result);
    // Destroys a record that is in no list any more; the refresh engine forgets it.
    void DestroyRecord(CServerInfo* record);
    void CarryOverFromPrevious();
    void ReportStatus(const std::string& text);
    bool StartDiscovery();
    void StopDiscovery();

    Kind m_kind;
    ServerRecordList m_servers;
    ServerRecordList m_previous;
    int m_maxInFlight = kMinInFlight;
    int m_maxRetries = RefreshParams::kDefaultRetries;
    double m_timeout = RefreshParams::kDefaultTimeout;
    int32_t m_rate = 0;
    bool m_saveMark = false;
    bool m_closed = false;
    bool m_useListFile = true;
    bool m_refreshAfterList = false;
    std::unique_ptr<MasterListRequest> m_master;
    // A finished exchange, destroyed outside its own completion call.
    std::unique_ptr<MasterListRequest> m_retiredMaster;
    // The result of an exchange that has ended, until the list takes it at a safe point.
    std::optional<int> m_masterResult;
    int m_nestedLoops = 0;
    ServerFilter m_filter;
    std::unique_ptr<CKSLanAsyncSocket> m_lanSocket;
    std::string m_statusText;
    NetGameDocView* m_view = nullptr;
    ServiceAddressList* m_services = nullptr;
    QString m_listPath;
    double m_idleTimeout = 0.0;
    QHostAddress m_lanTarget;
    quint16 m_lanFirstPort = 27015;
    LanPhase m_lanPhase = LanPhase::Idle;
    double m_lanStart = 0.0;
    RefreshEngine m_engine;
    RefreshRunner m_runner;
};
