#pragma once
// The order of the rows of a server list: the sort keys are signed column numbers
// (the first the most significant; a negative key reverses its column), and rows that
// tie on every key keep creation order through the record's serial number.
#include <vector>

class CServerInfo;

// Column numbers of the server lists, as the sort keys name them.
enum ServerColumn : int
{
    kColumnFavorite = 1,
    kColumnPassword = 2,
    kColumnType = 3,
    kColumnOs = 4,
    kColumnName = 5,
    kColumnPing = 6,
    kColumnMap = 7,
    kColumnGame = 8,
    kColumnPlayers = 9,
    kColumnPlayersToo = 10, // sorts like kColumnPlayers
    kColumnProxy = 11,
};

// Compares two records by one column in its forward order: negative, zero or positive.
// A column number outside 1 ... 11 sorts by name.
int CompareServerColumn(const CServerInfo& a, const CServerInfo& b, int column);
// Compares by one signed key: a negative key gives the exact reverse order.
int CompareServerKey(const CServerInfo& a, const CServerInfo& b, int key);
// True when a's row comes before b's: the first key that does not tie decides, then
// the smaller serial number.
bool ServerSortsBefore(const CServerInfo& a, const CServerInfo& b, const std::vector<int>& keys);
void SortServers(std::vector<CServerInfo*>& rows, const std::vector<int>& keys);
// The rows of a list (linked through next): every record not filtered, sorted.
std::vector<CServerInfo*> ShownRowsInOrder(CServerInfo* head, const std::vector<int>& keys);

// Text order ignoring ASCII letter case, byte by byte as unsigned values, so that
// multibyte (UTF-8) texts compare by code point.
int CompareTextNoCase(const char* a, const char* b);
