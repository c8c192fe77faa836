#pragma once
// Builds a small map file: a version-30 header (the version and 15 pairs of offset
// and length) whose first lump is the entity text; the geometry lumps are empty.
#include "demo/DemoMap.h"

#include <QByteArray>

class MapWriter
{
public:
    static constexpr int kVersion = 30;
    static constexpr int kLumpCount = 15;
    static constexpr int kHeaderSize = 4 + kLumpCount * 8;

    static QByteArray EntityText(const DemoMap& map);
    static QByteArray Build(const DemoMap& map);
};
