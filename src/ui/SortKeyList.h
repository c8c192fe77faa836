#pragma once
// The process-wide list of sort keys shared by the list controls: up to 14 signed
// column numbers (positive ascending, negative descending), the first most
// significant. Stored in the settings as text, each key in decimal followed by ";".
#include <string>
#include <vector>

class SortKeyList
{
public:
    static constexpr int kMaxKeys = 14;

    // Removes every key of the same column and puts the key first; when the list then
    // still holds kMaxKeys keys, the new key is not added. A zero key is ignored.
    void SetPrimaryKey(int key);
    // The key at a position counting from 0; 0 past the last key.
    int Key(int position) const;
    int Count() const { return int(m_keys.size()); }
    // The first key, or whenEmpty for an empty list.
    int Primary(int whenEmpty = 1) const { return m_keys.empty() ? whenEmpty : m_keys.front(); }
    // A click on the header of column (counted from 0): the same column as the primary
    // key flips its direction, another column becomes the primary key ascending.
    // whenEmpty is the primary key an empty list stands for.
    void ChooseSortKey(int column, int whenEmpty = 1);
    void Clear() { m_keys.clear(); }
    const std::vector<int>& Keys() const { return m_keys; }

    // "1;-5;" and back. Reading stops at the first key that is 0 or not a number, or
    // after kMaxKeys keys.
    std::string ToText() const;
    void FromText(const std::string& text);

private:
    std::vector<int> m_keys;
};

// The one list every list control sorts with.
SortKeyList& TheSortKeyList();
