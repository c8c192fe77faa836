#include "app/text/SkinBitmap.h"

#include "app/files/SearchPath.h"
#include "app/text/Messages.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr size_t kCoreHeaderSize = 12;
constexpr size_t kInfoHeaderSize = 40;
constexpr int64_t kMaxDimension = 1 << 16; // far beyond any skin; rejects nonsense

uint32_t ReadU32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t ReadU16(const uint8_t* p)
{
    return uint16_t(p[0] | p[1] << 8);
}

} // namespace

std::optional<SkinBitmap> ParseSkinBitmap(const uint8_t* data, size_t size)
{
    if (size <= kBitmapFileHeaderSize || data[0] != 'B' || data[1] != 'M')
        return std::nullopt;
    return SkinBitmap(data + kBitmapFileHeaderSize, data + size);
}

std::string SkinBitmapFileName(const std::string& name)
{
    return "gfx/shell/" + name + ".bmp";
}

std::optional<SkinBitmap> LoadSkinBitmap(const std::string& name)
{
    const std::string fileName = SkinBitmapFileName(name);
    int64_t length = 0;
    const std::unique_ptr<char[]> bytes = LoadFile(fileName, &length);
    if (!bytes) {
        ShowFormattedMessage(59, fileName.c_str());
        return std::nullopt;
    }
    return ParseSkinBitmap(reinterpret_cast<const uint8_t*>(bytes.get()), size_t(length));
}

std::optional<SkinBitmapSize> BitmapSize(const SkinBitmap& bitmap)
{
    if (bitmap.size() < 4)
        return std::nullopt;
    const uint32_t headerSize = ReadU32(bitmap.data());
    int64_t width = 0;
    int64_t height = 0;
    if (headerSize == kCoreHeaderSize && bitmap.size() >= kCoreHeaderSize) {
        width = ReadU16(bitmap.data() + 4);
        height = ReadU16(bitmap.data() + 6);
    } else if (headerSize >= kInfoHeaderSize && bitmap.size() >= kInfoHeaderSize) {
        width = int32_t(ReadU32(bitmap.data() + 4));
        height = std::llabs(int64_t(int32_t(ReadU32(bitmap.data() + 8))));
    } else {
        return std::nullopt;
    }
    if (width <= 0 || height <= 0 || width > kMaxDimension || height > kMaxDimension)
        return std::nullopt;
    return SkinBitmapSize{int(width), int(height)};
}

std::optional<size_t> PixelDataOffset(const SkinBitmap& bitmap)
{
    constexpr uint32_t kBitFields = 3;
    constexpr uint64_t kMaxColours = 1u << 16;
    if (bitmap.size() < 4)
        return std::nullopt;
    const uint32_t headerSize = ReadU32(bitmap.data());
    uint64_t offset = 0;
    if (headerSize == kCoreHeaderSize && bitmap.size() >= kCoreHeaderSize) {
        const uint16_t bitsPerPixel = ReadU16(bitmap.data() + 10);
        const uint64_t colours = bitsPerPixel <= 8 ? uint64_t(1) << bitsPerPixel : 0;
        offset = kCoreHeaderSize + 3 * colours;
    } else if (headerSize >= kInfoHeaderSize && bitmap.size() >= kInfoHeaderSize) {
        const uint16_t bitsPerPixel = ReadU16(bitmap.data() + 14);
        const uint32_t compression = ReadU32(bitmap.data() + 16);
        uint64_t colours = ReadU32(bitmap.data() + 32);
        if (colours == 0 && bitsPerPixel <= 8)
            colours = uint64_t(1) << bitsPerPixel;
        if (colours > kMaxColours)
            return std::nullopt;
        offset = uint64_t(headerSize) + 4 * colours;
        if (compression == kBitFields && headerSize == kInfoHeaderSize)
            offset += 12;
    } else {
        return std::nullopt;
    }
    if (offset > bitmap.size())
        return std::nullopt;
    return size_t(offset);
}
