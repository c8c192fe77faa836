#pragma once
// The launcher's copy of the engine interface table. While no engine is loaded it
// holds the launcher's defaults: some entries do nothing, entry 18 clears the status
// record, entry 49 is the launcher clock, the rest are empty.
#include "app/engine/EngineInterface.h"

#include <cstdint>

class EngineTable
{
public:
    EngineTable() { RestoreDefaults(); }

    void RestoreDefaults();
    // The table handed to Sys_EngineAPI.
    void* Data() { return m_entries; }

    bool Has(int entry) const { return entry >= 0 && entry < kEngineTableEntries && m_entries[entry] != 0; }
    uintptr_t Value(int entry) const { return m_entries[entry]; }
    template <typename Fn> Fn Get(int entry) const { return reinterpret_cast<Fn>(m_entries[entry]); }
    // Replaces one entry point; for entries the launcher fills itself and for tests.
    template <typename Fn> void Set(int entry, Fn function)
    {
        m_entries[entry] = reinterpret_cast<uintptr_t>(function);
    }

private:
    uintptr_t m_entries[kEngineTableEntries];
};
