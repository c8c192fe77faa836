#include "app/text/SkinBitmapImage.h"

#include <QByteArray>

namespace {

void AppendU32(QByteArray& bytes, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.append(char((value >> (8 * i)) & 0xFF));
}

} // namespace

QImage SkinBitmapImage(const SkinBitmap& bitmap)
{
    const std::optional<size_t> pixels = PixelDataOffset(bitmap);
    if (!pixels || bitmap.size() > size_t(INT32_MAX) - kBitmapFileHeaderSize)
        return {};
    // Put back the file header the loader dropped.
    QByteArray file("BM");
    AppendU32(file, uint32_t(kBitmapFileHeaderSize + bitmap.size()));
    AppendU32(file, 0);
    AppendU32(file, uint32_t(kBitmapFileHeaderSize + *pixels));
    file.append(reinterpret_cast<const char*>(bitmap.data()), qsizetype(bitmap.size()));
    return QImage::fromData(file, "BMP");
}
