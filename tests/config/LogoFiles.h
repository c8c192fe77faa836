#pragma once
// Builds spray logo files byte by byte for the logo and decal tests: a Windows BMP
// whose every header field can be set, pixels given top row first.
#include <QByteArray>

#include <cstdint>
#include <vector>

struct LogoFileLayout
{
    int width = 16;
    int height = 16;
    uint32_t infoHeaderBytes = 40;
    uint16_t planes = 1;
    uint16_t bitsPerPixel = 8;
    uint32_t compression = 0;
    uint32_t coloursUsed = 0;
    bool topDown = false;
};

// Colour table entry i is (blue i, green 255 − i, red i/2); pixel (x, y) is
// (x · 7 + y · 13) mod 256.
inline uint8_t LogoPixel(int x, int y)
{
    return uint8_t((x * 7 + y * 13) & 0xff);
}

inline QByteArray BuildLogoFile(const LogoFileLayout& layout)
{
    const int stride = (layout.width + 3) / 4 * 4;
    const uint32_t offset = 14 + layout.infoHeaderBytes + 256 * 4;
    QByteArray out;
    auto half = [&out](uint32_t v) {
        out.append(char(v & 0xff));
        out.append(char(v >> 8 & 0xff));
    };
    auto word = [&half](uint32_t v) {
        half(v & 0xffff);
        half(v >> 16);
    };
    out.append("BM");
    word(offset + uint32_t(stride * layout.height));
    word(0);
    word(offset);
    word(layout.infoHeaderBytes);
    word(uint32_t(layout.width));
    word(uint32_t(layout.topDown ? -layout.height : layout.height));
    half(layout.planes);
    half(layout.bitsPerPixel);
    word(layout.compression);
    word(uint32_t(stride * layout.height));
    word(2835);
    word(2835);
    word(layout.coloursUsed);
    word(0);
    out.resize(14 + int(layout.infoHeaderBytes), '\0');
    for (int i = 0; i < 256; ++i) {
        out.append(char(i));
        out.append(char(255 - i));
        out.append(char(i / 2));
        out.append('\0');
    }
    for (int row = layout.height - 1; row >= 0; --row) {
        const int y = layout.topDown ? layout.height - 1 - row : row;
        for (int x = 0; x < stride; ++x)
            out.append(x < layout.width ? char(LogoPixel(x, y)) : '\0');
    }
    return out;
}
