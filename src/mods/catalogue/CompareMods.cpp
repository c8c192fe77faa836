#include "mods/catalogue/CompareMods.h"

#include "ui/SortKeyList.h"
#include "platform/NumberText.h"

#include <cstdlib>
#include <strings.h>

const char* ModColumnKey(int column)
{
    static const char* const kKeys[] = {"type", "game", "version", "size", "rating", "installed", "servers", "players"};
    return column >= 1 && column <= kModColumnCount ? kKeys[column - 1] : "";
}

int CompareMods(const CModRecord& a, const CModRecord& b, int column, int direction)
{
    const CModRecord* first = &a;
    const CModRecord* second = &b;
    if (direction <= 0)
        std::swap(first, second);
    const std::string* x = first->GetKey(ModColumnKey(column));
    const std::string* y = second->GetKey(ModColumnKey(column));
    if (!x || !y)
        return x ? 1 : (y ? -1 : 0);
    if (column == kModColumnType || column == kModColumnGame) {
        const int c = ::strcasecmp(x->c_str(), y->c_str());
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    const double u = ParseDouble(*x);
    const double v = ParseDouble(*y);
    return u < v ? -1 : (u > v ? 1 : 0);
}

int CompareMods(const CModRecord& a, const CModRecord& b, const SortKeyList& keys)
{
    for (int key : keys.Keys()) {
        const int c = CompareMods(a, b, std::abs(key), key > 0 ? 1 : -1);
        if (c != 0)
            return c;
    }
    return 0;
}
