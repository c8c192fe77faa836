#include "browser/list/ServerSort.h"

#include "browser/record/CServerInfo.h"

#include <algorithm>
#include <cmath>

namespace {

int Sign(int v)
{
    return (v > 0) - (v < 0);
}

int CompareFlags(bool a, bool b)
{
    return int(a) - int(b);
}

int CompareChars(char a, char b)
{
    return int(static_cast<unsigned char>(a)) - int(static_cast<unsigned char>(b));
}

// A ping of 0 (or a NaN read from a damaged file) means "not measured" and sorts
// after every measured ping; keeping NaN out of the comparisons keeps the order strict.
int ComparePings(double a, double b)
{
    const bool unmeasuredA = a == 0.0 || std::isnan(a);
    const bool unmeasuredB = b == 0.0 || std::isnan(b);
    if (unmeasuredA || unmeasuredB)
        return CompareFlags(unmeasuredA, unmeasuredB);
    return (a > b) - (a < b);
}

int CompareInts(int32_t a, int32_t b)
{
    return (a > b) - (a < b);
}

} // namespace

int CompareTextNoCase(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        unsigned char x = static_cast<unsigned char>(*a);
        unsigned char y = static_cast<unsigned char>(*b);
        if (x >= 'A' && x <= 'Z')
            x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y)
            return x < y ? -1 : 1;
        if (x == 0)
            return 0;
    }
}

int CompareServerColumn(const CServerInfo& a, const CServerInfo& b, int column)
{
    switch (column) {
    case kColumnFavorite:
        return CompareFlags(a.favorite, b.favorite);
    case kColumnPassword:
        return CompareFlags(a.password, b.password);
    case kColumnType:
        return CompareChars(a.svtype, b.svtype);
    case kColumnOs:
        return CompareChars(a.svos, b.svos);
    case kColumnPing:
        return ComparePings(a.svping, b.svping);
    case kColumnMap:
        return CompareTextNoCase(a.map.c_str(), b.map.c_str());
    case kColumnGame:
        return CompareTextNoCase(a.game.c_str(), b.game.c_str());
    case kColumnPlayers:
    case kColumnPlayersToo:
        return CompareInts(a.currentplayers, b.currentplayers);
    case kColumnProxy:
        return -CompareFlags(a.proxy, b.proxy);
    default:
        return CompareTextNoCase(a.name.c_str(), b.name.c_str());
    }
}

int CompareServerKey(const CServerInfo& a, const CServerInfo& b, int key)
{
    // Column numbers are small; an absurd key (INT_MIN) must not overflow when negated.
    const int column = key < 0 ? (key < -kColumnProxy ? kColumnName : -key) : key;
    const int order = Sign(CompareServerColumn(a, b, column));
    return key < 0 ? -order : order;
}

bool ServerSortsBefore(const CServerInfo& a, const CServerInfo& b, const std::vector<int>& keys)
{
    for (const int key : keys) {
        const int order = CompareServerKey(a, b, key);
        if (order != 0)
            return order < 0;
    }
    return a.Serial() < b.Serial();
}

void SortServers(std::vector<CServerInfo*>& rows, const std::vector<int>& keys)
{
    std::sort(rows.begin(), rows.end(),
              [&keys](const CServerInfo* a, const CServerInfo* b) { return ServerSortsBefore(*a, *b, keys); });
}

std::vector<CServerInfo*> ShownRowsInOrder(CServerInfo* head, const std::vector<int>& keys)
{
    std::vector<CServerInfo*> rows;
    for (CServerInfo* r = head; r; r = r->next)
        if (!r->IsFiltered())
            rows.push_back(r);
    SortServers(rows, keys);
    return rows;
}
