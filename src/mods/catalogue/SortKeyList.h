#pragma once
// The process-wide sort keys of the list controls: up to 14 signed column numbers
// (positive ascending, negative descending), the most significant first.
#include <vector>

class SortKeyList
{
public:
    static constexpr int kMaxKeys = 14;

    // Removes any key of the same column and puts this one in front (unless full).
    void SetPrimary(int key);
    // The key at a position, 0 past the end.
    int At(int position) const;
    // A click on column header k (from 1): the first key's negation when it is k or
    // -k, otherwise k.
    void ClickColumn(int column);
    const std::vector<int>& Keys() const { return m_keys; }
    void Clear() { m_keys.clear(); }

private:
    std::vector<int> m_keys;
};

SortKeyList& ModSortKeys();
