#pragma once
// Every bitmap of the demo skin (gfx/shell/<name>.bmp), by name.
#include <QImage>
#include <QString>

#include <vector>

struct SkinBitmap
{
    QString name;
    QImage image;
};

class SkinPainter
{
public:
    static std::vector<SkinBitmap> ShellBitmaps();
};
