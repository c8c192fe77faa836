#include "support/PakBuilder.h"

#include <cstring>

void PutLittle32(QByteArray& bytes, int offset, int32_t value)
{
    const uint32_t v = uint32_t(value);
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = char((v >> (8 * i)) & 0xff);
}

QByteArray BuildPak(const std::vector<PakItem>& items)
{
    QByteArray pak(12, '\0');
    std::memcpy(pak.data(), "PACK", 4);
    std::vector<std::pair<int, int>> places;
    for (const PakItem& item : items) {
        places.emplace_back(int(pak.size()), int(item.data.size()));
        pak += item.data;
    }
    const int directory = int(pak.size());
    for (size_t i = 0; i < items.size(); ++i) {
        QByteArray entry(64, '\0');
        std::memcpy(entry.data(), items[i].name.data(), std::min<size_t>(items[i].name.size(), 56));
        PutLittle32(entry, 56, places[i].first);
        PutLittle32(entry, 60, places[i].second);
        pak += entry;
    }
    PutLittle32(pak, 4, directory);
    PutLittle32(pak, 8, int32_t(items.size() * 64));
    return pak;
}

QByteArray BuildMap(int version, const QByteArray& entities)
{
    QByteArray map(124, '\0');
    PutLittle32(map, 0, version);
    PutLittle32(map, 4, 124);
    PutLittle32(map, 8, int32_t(entities.size()));
    return map + entities;
}
