#include "ui/IdleWork.h"

#include <algorithm>
#include <vector>

namespace {

struct Entry
{
    IdleWork::Id id = 0;
    IdleWork::Work work;
    bool running = false;
};

std::vector<Entry>& Entries()
{
    static std::vector<Entry> entries;
    return entries;
}

IdleWork::FramePump& Pump()
{
    static IdleWork::FramePump pump;
    return pump;
}

IdleWork::FramePump& EnginePump()
{
    static IdleWork::FramePump pump;
    return pump;
}

IdleWork::Id g_nextId = 1;
bool g_pumpRunning = false;

Entry* Find(IdleWork::Id id)
{
    for (Entry& entry : Entries())
        if (entry.id == id)
            return &entry;
    return nullptr;
}

} // namespace

IdleWork::Id IdleWork::Register(Work work)
{
    const Id id = g_nextId++;
    Entries().push_back(Entry{id, std::move(work), false});
    return id;
}

void IdleWork::Unregister(Id id)
{
    auto& entries = Entries();
    entries.erase(std::remove_if(entries.begin(), entries.end(), [id](const Entry& e) { return e.id == id; }),
                  entries.end());
}

bool IdleWork::IsRegistered(Id id)
{
    return Find(id) != nullptr;
}

bool IdleWork::RunOnce()
{
    const bool engineRunning = RunFramePump();
    const bool workPending = RunRegistered();
    return engineRunning || workPending;
}

bool IdleWork::RunFramePump()
{
    // A copy: the pump may replace the registered one while it runs.
    const FramePump pump = Pump() ? Pump() : EnginePump();
    if (g_pumpRunning || !pump)
        return false;
    g_pumpRunning = true;
    const int state = pump();
    g_pumpRunning = false;
    return state == kEngineRunningState;
}

bool IdleWork::RunRegistered()
{
    bool more = false;
    // Ids first: a work may register or unregister others (or itself) while it runs.
    std::vector<Id> ids;
    for (const Entry& entry : Entries())
        ids.push_back(entry.id);
    for (const Id id : ids) {
        Entry* entry = Find(id);
        if (!entry || entry->running)
            continue;
        entry->running = true;
        // The vector may grow while the work runs, so the work is called on a copy.
        const Work work = entry->work;
        const bool wantsMore = work();
        if (Entry* after = Find(id))
            after->running = false;
        more = more || wantsMore;
    }
    return more;
}

void IdleWork::SetEngineFrame(FramePump pump)
{
    EnginePump() = std::move(pump);
}

void IdleWork::SetFramePump(FramePump pump)
{
    Pump() = std::move(pump);
}
