#pragma once
// Runs the query step over a list of server records with a bounded number of query
// sockets, without a window. A pass does only the work that is due:
//   - records whose socket delivered something (readiness signals fill a ready queue),
//   - records whose request timed out (a queue ordered by deadline),
//   - records that must move on at the next pass (a reply handled, done or failed),
//   - idle records that get a free socket, taken in list order by a cursor.
// Records waiting for a reply are not visited, so a pass costs what changed, not the
// length of the list. The record states, retries, time-outs, pending counts, the order
// in which records are started and the end of the refresh are those of a pass that
// steps every record in list order (RunRefreshPass); a record waiting for a socket
// does not run down its time-out.
#include "browser/query/QueryStep.h"
#include "browser/query/RefreshParams.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <queue>
#include <unordered_map>
#include <vector>

class CServerInfo;

class RefreshEngine
{
public:
    // Opening a socket is the dearest part of a query: a pass opens at most this many,
    // so replies that arrive meanwhile are taken (and timed) without a long delay.
    static constexpr int kMaxStartsPerPass = 16;
    // Descriptors a refresh leaves to the rest of the program (files, the master and
    // LAN sockets, the engine) when it fits its sockets to what can still be opened.
    static constexpr int kDescriptorReserve = 8;

    // How many query sockets a refresh may hold: the parameters' number, lowered to
    // the descriptors the process can still open less the reserve (at least one).
    static int FitInFlight(int maxInFlight, int freeDescriptors);

    RefreshEngine();
    ~RefreshEngine();
    RefreshEngine(const RefreshEngine&) = delete;
    RefreshEngine& operator=(const RefreshEngine&) = delete;

    // Resets the records (as BeginRefresh does) and starts a refresh over them in the
    // order given, with max in flight fitted to the open-file limit (FitInFlight).
    // head: a list linked through next.
    void Begin(CServerInfo* head, const RefreshParams& params);
    void Begin(const std::vector<CServerInfo*>& records, const RefreshParams& params);

    // One pass. Returns true while the refresh goes on; false once it has ended (also
    // when none runs).
    bool RunPass();
    // Ends the refresh at once; the records keep their states and sockets.
    void Cancel();
    // Cancels and forgets every record (before records are destroyed or moved away).
    void Clear();
    bool Running() const { return m_running; }
    // True when a pass now would do more than wait: sockets that delivered, records to
    // move on, a time-out that has passed, or an idle record and a free socket.
    bool WorkDue() const;

    // A record about to be destroyed while a refresh runs; the engine forgets it.
    void Forget(const CServerInfo* record);

    // Records neither failed nor done at the last pass (what the progress line shows).
    int Pending() const { return m_lastPending; }
    // Records not settled yet (neither failed nor done, nor skipped since).
    int Unsettled() const { return m_unfinished; }
    int Passes() const { return int(m_passes); }
    // Query steps run since Begin: what the passes cost.
    uint64_t StepsRun() const { return m_stepsRun; }
    const RefreshParams& Params() const { return m_params; }
    QueryStepState& State() { return m_state; }
    const QueryStepState& State() const { return m_state; }
    double StartTime() const { return m_startTime; }

    // Records whose state or fields changed since the last call, each once.
    std::vector<CServerInfo*> TakeChanged();
    // Called after each pass that changed records (batched), before TakeChanged.
    void SetChangedCallback(std::function<void()> callback) { m_changedCallback = std::move(callback); }

private:
    class SocketListener;
    struct Slot
    {
        CServerInfo* record = nullptr;
        const void* hookedSocket = nullptr;
        double deadline = 0.0; // of the time-out entry queued for it, 0 when none
        uint32_t steppedInPass = 0;
        uint8_t flags = 0;
    };
    struct Deadline
    {
        double at;
        uint32_t index;
        bool operator>(const Deadline& other) const { return at > other.at; }
    };

    void Step(uint32_t index);
    void OnSocketActive(uint32_t index);
    void AfterStep(uint32_t index, int before);
    void Hook(uint32_t index);
    void MarkChanged(uint32_t index);
    void ScheduleNextPass(uint32_t index);
    bool Eligible(const CServerInfo& r) const;
    void RunCursor(double now);
    void Finish();

    RefreshParams m_params;
    QueryStepState m_state;
    std::vector<Slot> m_slots;
    std::unordered_map<const CServerInfo*, uint32_t> m_index; // record -> slot
    std::vector<uint32_t> m_ready;                            // sockets that delivered something
    std::vector<uint32_t> m_nextPass;                         // records that move on at the next pass
    std::priority_queue<Deadline, std::vector<Deadline>, std::greater<Deadline>> m_deadlines;
    std::vector<uint32_t> m_changed;
    std::function<void()> m_changedCallback;
    // What the sockets tell of their activity: replaced by each refresh, so the sockets
    // of an earlier one are no longer heard.
    std::shared_ptr<SocketListener> m_listener;
    size_t m_cursor = 0;
    int m_unfinished = 0;
    int m_lastPending = 0;
    uint32_t m_passes = 0;
    uint64_t m_stepsRun = 0;
    double m_startTime = 0.0;
    bool m_running = false;
};
