#include "mods/catalogue/SortKeyList.h"

#include <algorithm>
#include <cstdlib>

void SortKeyList::SetPrimary(int key)
{
    if (key == 0)
        return;
    std::erase_if(m_keys, [key](int k) { return std::abs(k) == std::abs(key); });
    if (int(m_keys.size()) >= kMaxKeys)
        return;
    m_keys.insert(m_keys.begin(), key);
}

int SortKeyList::At(int position) const
{
    return position >= 0 && position < int(m_keys.size()) ? m_keys[size_t(position)] : 0;
}

void SortKeyList::ClickColumn(int column)
{
    const int first = At(0);
    SetPrimary(first == column || first == -column ? -first : column);
}

SortKeyList& ModSortKeys()
{
    static SortKeyList keys;
    return keys;
}
