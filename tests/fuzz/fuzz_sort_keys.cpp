// Arbitrary stored sort orders: at most 14 non-zero keys that read back the same, and
// any keys give a strict order of the rows.
#include "browser/list/ServerSort.h"
#include "browser/list/SortOrderSetting.h"
#include "browser/record/CServerInfo.h"

#include <algorithm>
#include <memory>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<int> keys = SortKeysFromText(text);
    if (keys.size() > size_t(kMaxSortKeys) || std::count(keys.begin(), keys.end(), 0) != 0)
        __builtin_trap();
    if (SortKeysFromText(SortKeysToText(keys)) != keys)
        __builtin_trap();

    // Rows built from the input bytes, sorted by the keys read.
    std::vector<std::unique_ptr<CServerInfo>> records;
    std::vector<CServerInfo*> rows;
    for (size_t i = 0; i < size && i < 64; ++i) {
        auto r = std::make_unique<CServerInfo>("127.0.0.1", 27015);
        const uint8_t b = data[i];
        r->name = std::string(1, char(b & 0x9f));
        r->map = std::string(1, char('a' + (b & 3)));
        r->svping = (b & 0x30) == 0 ? 0.0 : double(b & 0x30) / 1000.0;
        r->favorite = b & 1;
        r->proxy = b & 2;
        r->currentplayers = b & 7;
        rows.push_back(r.get());
        records.push_back(std::move(r));
    }
    SortServers(rows, keys);
    for (size_t i = 1; i < rows.size(); ++i)
        if (!ServerSortsBefore(*rows[i - 1], *rows[i], keys) || ServerSortsBefore(*rows[i], *rows[i - 1], keys))
            __builtin_trap();
    return 0;
}
