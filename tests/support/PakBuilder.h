#pragma once
// Builds "PACK" archives and map files for tests.
#include <QByteArray>

#include <string>
#include <utility>
#include <vector>

struct PakItem
{
    std::string name;
    QByteArray data;
};

QByteArray BuildPak(const std::vector<PakItem>& items);
// A map with the given version whose entity text is the given text.
QByteArray BuildMap(int version, const QByteArray& entities);
void PutLittle32(QByteArray& bytes, int offset, int32_t value);
