#include "config/keys/KeySearch.h"

#include <cctype>

int KeySearch::Next(const std::vector<std::string>& names, char typed)
{
    const int wanted = std::tolower(static_cast<unsigned char>(typed));
    const int start = wanted == m_last ? m_lastMatch + 1 : 0;
    const int count = int(names.size());
    for (int step = 0; step < count; ++step) {
        const int index = (start + step) % count;
        const std::string& name = names[size_t(index)];
        if (!name.empty() && std::tolower(static_cast<unsigned char>(name[0])) == wanted) {
            m_last = char(wanted);
            m_lastMatch = index;
            return index;
        }
    }
    m_last = char(wanted);
    m_lastMatch = -1;
    return -1;
}
