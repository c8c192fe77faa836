#include "config/player/LogoBitmap.h"

#include <cstring>

namespace {

constexpr size_t kColourTableBytes = size_t(LogoBitmap::kColours) * 4;
constexpr size_t kPixelsEarliest = LogoBitmap::kFileHeaderBytes + LogoBitmap::kInfoHeaderBytes + kColourTableBytes;

uint32_t Word(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t Half(const uint8_t* p)
{
    return uint16_t(p[0] | p[1] << 8);
}

std::optional<LogoBitmap> Refuse(LogoRefusal reason, LogoRefusal* why)
{
    if (why)
        *why = reason;
    return std::nullopt;
}

} // namespace

std::optional<LogoBitmap> ParseLogo(const uint8_t* data, size_t size, LogoRefusal* why)
{
    if (why)
        *why = LogoRefusal::None;
    if (size > LogoBitmap::kMaxFileBytes)
        return Refuse(LogoRefusal::TooLarge, why);
    if (!data || size < LogoBitmap::kFileHeaderBytes)
        return Refuse(LogoRefusal::Short, why);
    if (data[0] != 'B' || data[1] != 'M')
        return Refuse(LogoRefusal::NotBitmap, why);
    if (size < LogoBitmap::kFileHeaderBytes + 4)
        return Refuse(LogoRefusal::Short, why);

    const uint8_t* info = data + LogoBitmap::kFileHeaderBytes;
    if (Word(info) != LogoBitmap::kInfoHeaderBytes)
        return Refuse(LogoRefusal::WrongHeader, why);
    if (size < kPixelsEarliest)
        return Refuse(LogoRefusal::Short, why);
    const int32_t width = int32_t(Word(info + 4));
    const int32_t height = int32_t(Word(info + 8));
    if (Half(info + 12) != 1 || Half(info + 14) != 8)
        return Refuse(LogoRefusal::WrongFormat, why);
    if (Word(info + 16) != 0)
        return Refuse(LogoRefusal::Compressed, why);
    const uint32_t used = Word(info + 32);
    if (used != 0 && used != uint32_t(LogoBitmap::kColours))
        return Refuse(LogoRefusal::WrongPalette, why);
    if (height < 0)
        return Refuse(LogoRefusal::TopDown, why);
    if (width <= 0 || height == 0)
        return Refuse(LogoRefusal::WrongSize, why);

    // Rows are padded to four bytes; the pixels start where the file header says,
    // which may not be inside the headers or the colour table.
    const uint32_t offset = Word(data + 10);
    if (offset < kPixelsEarliest)
        return Refuse(LogoRefusal::WrongSize, why);
    const uint64_t stride = (uint64_t(width) + 3) / 4 * 4;
    if (uint64_t(offset) + stride * uint64_t(height) > size)
        return Refuse(LogoRefusal::Short, why);

    LogoBitmap logo;
    logo.width = width;
    logo.height = height;
    const uint8_t* table = info + LogoBitmap::kInfoHeaderBytes;
    for (int i = 0; i < LogoBitmap::kColours; ++i) {
        logo.palette[size_t(i) * 3] = table[i * 4 + 2];
        logo.palette[size_t(i) * 3 + 1] = table[i * 4 + 1];
        logo.palette[size_t(i) * 3 + 2] = table[i * 4];
        logo.preview[size_t(i)] = 0xff000000u | uint32_t(table[i * 4 + 2]) << 16 | uint32_t(table[i * 4 + 1]) << 8 |
                                  table[i * 4];
    }
    // The file's last row is the image's top row.
    logo.pixels.resize(size_t(width) * size_t(height));
    for (int row = 0; row < height; ++row) {
        const uint8_t* source = data + offset + stride * uint64_t(height - 1 - row);
        std::memcpy(logo.pixels.data() + size_t(row) * size_t(width), source, size_t(width));
    }
    return logo;
}

void TintLogoPreview(LogoBitmap& logo, const LogoColour& colour)
{
    for (int i = 0; i < LogoBitmap::kColours; ++i) {
        const uint32_t red = uint32_t(i) * colour.red / 256;
        const uint32_t green = uint32_t(i) * colour.green / 256;
        const uint32_t blue = uint32_t(i) * colour.blue / 256;
        logo.preview[size_t(i)] = 0xff000000u | red << 16 | green << 8 | blue;
    }
}
