#pragma once
// The rows a server list shows, kept in a list model: filled from the unfiltered
// records of a list and sorted with the sort keys, or updated in place in batches
// while a refresh runs (changed rows redrawn, newly answered servers appended, no
// re-sort until the refresh is over). Free of widgets; the games dialogs drive it.
#include "browser/list/ServerFilter.h"
#include "ui/KSListModel.h"

#include <cstdint>
#include <vector>

class CServerInfo;

class ServerListView
{
public:
    explicit ServerListView(KSListModel& model, bool numericPing = false);

    // ApplyFilters: sets the filtered flag of every record, then Fill.
    void ApplyFilters(CServerInfo* head, const ServerFilter& filter, bool refreshDone, const SortKeyList& keys);
    // FillList: one row per unfiltered record, sorted with the keys.
    void Fill(CServerInfo* head, const SortKeyList& keys);
    // One row per record in list order, filtered ones included, without sorting
    // (best servers first).
    void FillAll(CServerInfo* head);
    void Sort(const SortKeyList& keys);
    // Drops every row (before the records behind them go away).
    void Clear();

    struct Batch
    {
        int changed = 0;  // rows whose cells changed
        int appended = 0; // records that answered and were not shown yet
    };
    // One batch during a refresh of the list headed by head: rows of records that
    // changed get their new cells; unfiltered records that have answered since the
    // last batch and have no row yet are appended at the end.
    // With a filter, a record is appended only when no filter rule hides it (proxies
    // are grouped when the refresh is over).
    Batch UpdateBatch(CServerInfo* head, const ServerFilter* filter = nullptr, bool refreshDone = false);
    // Rows in the order given (best servers first), filtered records included.
    void FillInOrder(const std::vector<CServerInfo*>& records);
    // Drops the rows whose record is no longer in the list headed by head (records
    // just destroyed: their rows go before anything reads them).
    int DropMissingRows(CServerInfo* head);

    // The record of a row if it is still in the list headed by head, else nullptr.
    static CServerInfo* FindRecord(CServerInfo* head, uint32_t serial);

    KSListModel& Model() const { return m_model; }
    int RowCount() const { return m_model.rowCount(); }

private:
    KSListModel& m_model;
    bool m_numericPing = false;
};
