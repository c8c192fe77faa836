#include "app/engine/EngineTable.h"

#include "app/engine/LauncherClock.h"

#include <array>
#include <cstring>

namespace {

extern "C" {
void NothingVoid()
{
}
void NothingInt(int)
{
}
void NothingIntInt(int, int)
{
}
int ReturnZero()
{
    return 0;
}
int ClearStatusRecord(void* record, int)
{
    if (record)
        std::memset(record, 0, kEngineStatusRecordBytes);
    return 0;
}
double DefaultClock()
{
    return LauncherSeconds();
}
}

// Entries that take no arguments, or whose arguments the default ignores.
constexpr std::array<int, 15> kDoNothing = {10, 11, 17, 27, 28, 29, 31, 32, 35, 36, 37, 39, 42, 43, 51};
constexpr std::array<int, 6> kDoNothingInt = {19, 30, 44, 46, 47, 48};

} // namespace

void EngineTable::RestoreDefaults()
{
    std::memset(m_entries, 0, sizeof m_entries);
    m_entries[kEntryVersion] = kEngineInterfaceVersion;
    m_entries[kEntryTableSize] = kEngineTableBytes;
    for (const int entry : kDoNothing)
        Set(entry, &NothingVoid);
    for (const int entry : kDoNothingInt)
        Set(entry, &NothingInt);
    Set(kEntryKeyEvent, &NothingIntInt);
    Set(kEntryFillStatusRecord, &ClearStatusRecord);
    Set(kEntryQuery22, &ReturnZero);
    Set(kEntryQuery38, &ReturnZero);
    Set(kEntryClock, &DefaultClock);
}
