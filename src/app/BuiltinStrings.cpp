#include "app/BuiltinStrings.h"

#include <algorithm>
#include <iterator>

namespace {

// Sorted by number. Formats must match the values the callers pass.
const BuiltinStringEntry kTable[] = {
    {19, "Kestrel could not open a drawing surface on this display."},
    {20, "This display lacks some drawing features; menus may look wrong."},
    {22, "Too few network sockets are available; server lists will refresh slowly."},
    {79, "Kestrel needs at least 15 MB of memory; this computer reports %.0f KB."},
    {80, "Could not reserve %.0f KB of memory for the game."},
    {81, "Could not create the engine start event."},
    {82, "Could not read the operating system version."},
    {83, "This operating system is not supported."},
    {84, "This operating system needs a newer service pack."},
    {85, "Please set the desktop to 15 or 16 bit colour."},
    {107, "Windows sockets initialization failed."},
    {327, "The graphics layer the game needs is not available."},
    {339, "Could not register a window message."},
    {446, "Your settings came from another version of !game and have been reset."},
};

} // namespace

const char* BuiltinString(int number)
{
    const auto it = std::lower_bound(std::begin(kTable), std::end(kTable), number,
                                     [](const BuiltinStringEntry& e, int n) { return e.number < n; });
    return (it != std::end(kTable) && it->number == number) ? it->text : nullptr;
}

const BuiltinStringEntry* BuiltinStringTable(int* count)
{
    *count = int(std::size(kTable));
    return kTable;
}
