#include "browser/list/ServerListView.h"

#include "browser/list/ApplyServerFilter.h"
#include "browser/list/FilterRules.h"
#include "browser/list/ServerListRows.h"
#include "browser/list/ServerSort.h"
#include "browser/record/CServerInfo.h"

#include <unordered_set>

namespace {

bool SameCells(const KSListRow& a, const KSListRow& b)
{
    if (a.cells.size() != b.cells.size() || a.textColour != b.textColour)
        return false;
    for (size_t i = 0; i < a.cells.size(); ++i) {
        const KSListCell& x = a.cells[i];
        const KSListCell& y = b.cells[i];
        if (x.text != y.text || x.icon != y.icon || x.number != y.number)
            return false;
    }
    return true;
}

} // namespace

ServerListView::ServerListView(KSListModel& model, bool numericPing) : m_model(model), m_numericPing(numericPing)
{
}

void ServerListView::ApplyFilters(CServerInfo* head, const ServerFilter& filter, bool refreshDone,
                                  const SortKeyList& keys)
{
    ApplyServerFilter(head, filter, refreshDone);
    Fill(head, keys);
}

void ServerListView::Fill(CServerInfo* head, const SortKeyList& keys)
{
    // Sorting the records before making their rows moves pointers, not rows.
    FillInOrder(ShownRowsInOrder(head, keys.Keys()));
}

void ServerListView::FillAll(CServerInfo* head)
{
    std::vector<KSListRow> rows;
    for (CServerInfo* r = head; r; r = r->next)
        rows.push_back(ServerListRowFor(*r, m_numericPing));
    m_model.SetRows(std::move(rows));
}

void ServerListView::FillInOrder(const std::vector<CServerInfo*>& records)
{
    std::vector<KSListRow> rows;
    rows.reserve(records.size());
    for (const CServerInfo* r : records)
        rows.push_back(ServerListRowFor(*r, m_numericPing));
    m_model.SetRows(std::move(rows));
}

int ServerListView::DropMissingRows(CServerInfo* head)
{
    std::unordered_set<uint32_t> present;
    for (const CServerInfo* r = head; r; r = r->next)
        present.insert(r->serial);
    std::vector<KSListRow> kept;
    const std::vector<KSListRow>& rows = m_model.Rows();
    kept.reserve(rows.size());
    for (const KSListRow& row : rows)
        if (present.count(row.serial))
            kept.push_back(row);
    const int dropped = int(rows.size() - kept.size());
    if (dropped > 0)
        m_model.SetRows(std::move(kept));
    return dropped;
}

void ServerListView::Sort(const SortKeyList& keys)
{
    m_model.Sort(keys, CompareServerRows);
}

void ServerListView::Clear()
{
    m_model.Clear();
}

ServerListView::Batch ServerListView::UpdateBatch(CServerInfo* head, const ServerFilter* filter, bool refreshDone)
{
    Batch batch;
    std::unordered_set<uint32_t> shown;
    shown.reserve(size_t(m_model.rowCount()));
    const std::vector<KSListRow>& rows = m_model.Rows();
    KSListRow fresh;
    for (int i = 0; i < int(rows.size()); ++i) {
        const KSListRow& row = rows[size_t(i)];
        shown.insert(row.serial);
        const CServerInfo* record = RecordOfRow(row);
        if (!record)
            continue;
        FillServerListRow(fresh, *record, m_numericPing);
        if (!SameCells(row, fresh)) {
            m_model.ReplaceRow(i, fresh);
            ++batch.changed;
        }
    }
    std::vector<KSListRow> added;
    for (CServerInfo* r = head; r; r = r->next)
        if (!r->IsFiltered() && r->status == CServerInfo::Done && !shown.count(r->serial) &&
            (!filter || FirstHidingRule(*filter, *r, refreshDone) == FilterRule::None))
            added.push_back(ServerListRowFor(*r, m_numericPing));
    batch.appended = int(added.size());
    if (!added.empty())
        m_model.AddRows(std::move(added));
    return batch;
}

CServerInfo* ServerListView::FindRecord(CServerInfo* head, uint32_t serial)
{
    for (CServerInfo* r = head; r; r = r->next)
        if (r->serial == serial)
            return r;
    return nullptr;
}
