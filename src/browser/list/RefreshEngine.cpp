#include "browser/list/RefreshEngine.h"

#include "browser/query/BrowserClock.h"
#include "browser/query/CKSAsyncSocket.h"
#include "browser/query/QuerySocketPool.h"
#include "browser/record/CServerInfo.h"
#include "platform/SystemInfo.h"

#include <algorithm>

namespace {

enum SlotFlag : uint8_t
{
    kEligible = 1,   // reset by Begin: the refresh counts it until it settles
    kFinished = 2,   // failed, done, or skipped since
    kInReady = 4,    // queued in m_ready
    kInNextPass = 8, // queued in m_nextPass
    kChanged = 16,   // queued in m_changed
};

bool Skipped(const CServerInfo& r)
{
    return r.lan || r.IsFiltered() || r.ipx;
}

bool Settled(int status)
{
    return status == CServerInfo::Failed || status == CServerInfo::Done;
}

// States in which only a reply, a connect or the time-out moves the record on.
bool Waiting(int status)
{
    return status == CServerInfo::ConnectFailed || status == CServerInfo::InfoSent ||
           status == CServerInfo::PlayersSent || status == CServerInfo::RulesSent;
}

} // namespace

class RefreshEngine::SocketListener final : public QuerySocketListener
{
public:
    explicit SocketListener(RefreshEngine& engine) : m_engine(engine) {}
    void SocketActive(uint32_t tag) override { m_engine.OnSocketActive(tag); }

private:
    RefreshEngine& m_engine;
};

RefreshEngine::RefreshEngine() = default;

int RefreshEngine::FitInFlight(int maxInFlight, int freeDescriptors)
{
    return std::max(1, std::min(maxInFlight, freeDescriptors - kDescriptorReserve));
}

RefreshEngine::~RefreshEngine() = default;

void RefreshEngine::Begin(CServerInfo* head, const RefreshParams& params)
{
    std::vector<CServerInfo*> records;
    for (CServerInfo* r = head; r; r = r->next)
        records.push_back(r);
    Begin(records, params);
}

void RefreshEngine::Begin(const std::vector<CServerInfo*>& records, const RefreshParams& params)
{
    Cancel();
    // A new listener: the sockets of the previous refresh are no longer heard.
    m_listener = std::make_shared<SocketListener>(*this);
    m_params = params;
    m_state = QueryStepState{};
    m_slots.assign(records.size(), Slot{});
    m_index.clear();
    m_index.reserve(records.size());
    m_ready.clear();
    m_nextPass.clear();
    m_deadlines = {};
    m_changed.clear();
    m_cursor = 0;
    m_unfinished = 0;
    m_lastPending = 0;
    m_passes = 0;
    m_stepsRun = 0;

    const double now = BrowserClockNow();
    m_startTime = now;
    m_state.lastProgressDisplay = now;
    for (size_t i = 0; i < records.size(); ++i) {
        CServerInfo& r = *records[i];
        m_slots[i].record = &r;
        m_index.emplace(&r, uint32_t(i));
        if (r.lan || r.IsFiltered())
            continue;
        r.CloseSocket();
        if (params.flags & RefreshParams::kRequestPlayers)
            r.FreePlayers();
        r.lastSend = now;
        r.noresponse = false;
        r.status = CServerInfo::Idle;
        r.retries = 0;
        if (!r.ipx) {
            m_slots[i].flags = kEligible;
            ++m_unfinished;
        }
    }
    // A socket that cannot be opened fails its server: never ask for more sockets than
    // the process can still open (counted once the old sockets are closed).
    // Sockets waiting in the pool are taken again before any new one is opened.
    const size_t pooled = QuerySocketPool::ForThread().IdleCount();
    m_params.maxInFlight = FitInFlight(params.maxInFlight, FreeDescriptors() + int(pooled));
    CKSAsyncSocket::SetLastReplyTime(float(now));
    m_lastPending = m_unfinished;
    m_running = true;
}

bool RefreshEngine::RunPass()
{
    if (!m_running)
        return false;
    ++m_passes;
    const double now = BrowserClockNow();
    // Only steps settle records, and each only its own: what is unsettled now is
    // what a pass over the whole list would count as pending.
    const int pending = m_unfinished;

    std::vector<uint32_t> batch;
    batch.swap(m_nextPass);
    for (uint32_t i : batch) {
        m_slots[i].flags &= uint8_t(~kInNextPass);
        Step(i);
    }
    batch.clear();
    batch.swap(m_ready);
    for (uint32_t i : batch) {
        m_slots[i].flags &= uint8_t(~kInReady);
        Step(i);
    }
    batch.clear();
    std::vector<Deadline> later;
    while (!m_deadlines.empty() && m_deadlines.top().at <= now) {
        const Deadline d = m_deadlines.top();
        m_deadlines.pop();
        Slot& s = m_slots[d.index];
        if (s.deadline != d.at || !s.record)
            continue; // superseded by a later send
        if (s.steppedInPass == m_passes) {
            later.push_back(d); // stepped already: its time-out waits for the next pass
            continue;
        }
        s.deadline = 0.0;
        batch.push_back(d.index);
    }
    for (const Deadline& d : later)
        m_deadlines.push(d);
    for (uint32_t i : batch)
        Step(i);
    RunCursor(now);

    m_lastPending = pending;
    const double idle = m_params.idleTimeout > 0.0 ? m_params.idleTimeout : RefreshParams::kDefaultIdleTimeout;
    const double sinceReply = BrowserClockNow() - double(CKSAsyncSocket::LastReplyTime());
    const bool stop = pending == 0 || (pending < m_params.maxInFlight && sinceReply > idle);
    if (stop)
        Finish();
    if (!m_changed.empty() && m_changedCallback)
        m_changedCallback();
    return !stop;
}

bool RefreshEngine::WorkDue() const
{
    if (!m_running)
        return false;
    if (!m_ready.empty() || !m_nextPass.empty())
        return true;
    if (!m_deadlines.empty() && m_deadlines.top().at <= BrowserClockNow())
        return true;
    return m_cursor < m_slots.size() && m_state.openSockets < m_params.maxInFlight;
}

void RefreshEngine::RunCursor(double now)
{
    int starts = 0;
    while (m_cursor < m_slots.size()) {
        Slot& s = m_slots[m_cursor];
        if (!s.record || !(s.flags & kEligible) || s.record->status != CServerInfo::Idle) {
            ++m_cursor;
            continue;
        }
        // Waiting for a socket does not run down the time-out.
        s.record->lastSend = now;
        if (starts == kMaxStartsPerPass)
            break; // the next pass goes on from here
        ++starts;
        Step(uint32_t(m_cursor));
        if (s.record->status == CServerInfo::Idle && !Skipped(*s.record))
            break; // no free socket: the next records wait behind this one
        ++m_cursor;
    }
}

void RefreshEngine::Step(uint32_t index)
{
    Slot& s = m_slots[index];
    if (!s.record || s.steppedInPass == m_passes)
        return;
    s.steppedInPass = m_passes;
    ++m_stepsRun;
    const int before = s.record->status;
    RunQueryStep(*s.record, m_params, m_state);
    AfterStep(index, before);
}

void RefreshEngine::AfterStep(uint32_t index, int before)
{
    Slot& s = m_slots[index];
    CServerInfo& r = *s.record;
    if (r.status != before)
        MarkChanged(index);
    if (Skipped(r) || Settled(r.status)) {
        if ((s.flags & kEligible) && !(s.flags & kFinished)) {
            s.flags |= kFinished;
            --m_unfinished;
        }
        // The next pass closes the socket, as the step does for a settled record.
        if (!Skipped(r) && r.Socket())
            ScheduleNextPass(index);
        return;
    }
    if (r.status == CServerInfo::Idle)
        return; // the cursor comes back to it
    Hook(index);
    if (Waiting(r.status)) {
        const double at = r.lastSend + m_params.timeout;
        if (s.deadline != at) {
            s.deadline = at;
            m_deadlines.push(Deadline{at, index});
        }
        return;
    }
    ScheduleNextPass(index);
}

void RefreshEngine::Hook(uint32_t index)
{
    Slot& s = m_slots[index];
    CKSAsyncSocket* socket = s.record->Socket();
    if (!socket || s.hookedSocket == socket)
        return;
    s.hookedSocket = socket;
    // Told after the socket has handed its datagram (or its connect) to the record.
    socket->SetListener(m_listener, index);
}

void RefreshEngine::OnSocketActive(uint32_t index)
{
    if (index >= m_slots.size())
        return;
    Slot& slot = m_slots[index];
    if (!m_running || !slot.record || (slot.flags & kInReady))
        return;
    slot.flags |= kInReady;
    m_ready.push_back(index);
    MarkChanged(index);
}

void RefreshEngine::ScheduleNextPass(uint32_t index)
{
    Slot& s = m_slots[index];
    if (s.flags & kInNextPass)
        return;
    s.flags |= kInNextPass;
    m_nextPass.push_back(index);
}

void RefreshEngine::MarkChanged(uint32_t index)
{
    Slot& s = m_slots[index];
    if (s.flags & kChanged)
        return;
    s.flags |= kChanged;
    m_changed.push_back(index);
}

std::vector<CServerInfo*> RefreshEngine::TakeChanged()
{
    std::vector<CServerInfo*> records;
    records.reserve(m_changed.size());
    for (uint32_t i : m_changed) {
        m_slots[i].flags &= uint8_t(~kChanged);
        if (m_slots[i].record)
            records.push_back(m_slots[i].record);
    }
    m_changed.clear();
    return records;
}

void RefreshEngine::Finish()
{
    m_running = false;
    // Settled records still holding a socket give it back now rather than at a pass
    // that will not come; records still waiting keep theirs, as a cancel leaves them.
    for (uint32_t i : m_nextPass) {
        Slot& s = m_slots[i];
        s.flags &= uint8_t(~kInNextPass);
        if (s.record && Settled(s.record->status) && s.record->Socket()) {
            s.record->CloseSocket();
            --m_state.openSockets;
        }
    }
    m_nextPass.clear();
    m_ready.clear();
    m_deadlines = {};
}

void RefreshEngine::Cancel()
{
    m_running = false;
    m_ready.clear();
    m_nextPass.clear();
    m_deadlines = {};
}

void RefreshEngine::Clear()
{
    Cancel();
    m_listener.reset();
    m_slots.clear();
    m_index.clear();
    m_changed.clear();
    m_cursor = 0;
    m_unfinished = 0;
    m_lastPending = 0;
}

void RefreshEngine::Forget(const CServerInfo* record)
{
    const auto found = m_index.find(record);
    if (found == m_index.end())
        return;
    Slot& s = m_slots[found->second];
    m_index.erase(found);
    if ((s.flags & kEligible) && !(s.flags & kFinished)) {
        s.flags |= kFinished;
        --m_unfinished;
    }
    // The record's socket goes with it.
    if (m_running && s.record->Socket() && m_state.openSockets > 0)
        --m_state.openSockets;
    s.record = nullptr;
    s.hookedSocket = nullptr;
}
