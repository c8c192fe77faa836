#pragma once
// Server records as the rows of an owner-drawn list: icons, texts and colours of each
// cell, and the server comparator over the records behind the rows.
#include "ui/KSListRows.h"

#include <vector>

class CServerInfo;

// The nine columns of a server list, counted from 0 as the list control counts them.
enum ServerListCell : int
{
    kCellFavorite = 0,
    kCellPassword,
    kCellType,
    kCellOs,
    kCellName,
    kCellPing,
    kCellMap,
    kCellGame,
    kCellPlayers,
    kServerListCells,
};

// The name cell's number: the server speaks a protocol the launcher cannot join, so
// its name is drawn greyed (the other cells keep their colours).
inline constexpr double kGreyedName = 1.0;

// One row: serial and data are the record's serial number and address; the ping
// cell carries the milliseconds as its number and, with numeric pings, its text.
KSListRow ServerListRowFor(const CServerInfo& record, bool numericPing);
// Fills an existing row again (fewer allocations during batched updates).
void FillServerListRow(KSListRow& row, const CServerInfo& record, bool numericPing);

// The record behind a row. Only valid while the record lives: the list views drop
// their rows before records go away.
inline CServerInfo* RecordOfRow(const KSListRow& row)
{
    return reinterpret_cast<CServerInfo*>(row.data);
}

// The server comparator (by column number, forward order) for the list control.
int CompareServerRows(const KSListRow& a, const KSListRow& b, int column);
