#include "ui/SortKeyList.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <limits>

void SortKeyList::SetPrimaryKey(int key)
{
    if (key == 0)
        return;
    const int column = std::abs(key);
    m_keys.erase(std::remove_if(m_keys.begin(), m_keys.end(), [column](int k) { return std::abs(k) == column; }),
                 m_keys.end());
    if (int(m_keys.size()) >= kMaxKeys)
        return;
    m_keys.insert(m_keys.begin(), key);
}

int SortKeyList::Key(int position) const
{
    if (position < 0 || position >= int(m_keys.size()))
        return 0;
    return m_keys[size_t(position)];
}

void SortKeyList::ChooseSortKey(int column, int whenEmpty)
{
    const int k = Primary(whenEmpty);
    SetPrimaryKey(std::abs(k) == column + 1 ? -k : column + 1);
}

std::string SortKeyList::ToText() const
{
    std::string text;
    for (const int key : m_keys)
        text += std::to_string(key) + ";";
    return text;
}

void SortKeyList::FromText(const std::string& text)
{
    m_keys.clear();
    size_t pos = 0;
    while (pos < text.size() && int(m_keys.size()) < kMaxKeys) {
        const size_t end = std::min(text.find(';', pos), text.size());
        int key = 0;
        const char* first = text.data() + pos;
        const char* last = text.data() + end;
        while (first < last && *first == ' ')
            ++first;
        const auto [ptr, error] = std::from_chars(first, last, key);
        if (error != std::errc() || key == 0 || key == std::numeric_limits<int>::min())
            break;
        m_keys.push_back(key);
        pos = end + 1;
    }
}

SortKeyList& TheSortKeyList()
{
    static SortKeyList list;
    return list;
}
