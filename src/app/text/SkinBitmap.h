#pragma once
// Skin bitmaps: "gfx/shell/<name>.bmp" files found through the game file search and
// kept without their 14-byte file header (a packed device-independent bitmap: the
// information header, any colour table, then the pixels).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using SkinBitmap = std::vector<uint8_t>;

inline constexpr size_t kBitmapFileHeaderSize = 14;

// The packed bitmap of a whole bitmap file, or no value when the bytes do not begin
// with "BM" or hold nothing after the file header.
std::optional<SkinBitmap> ParseSkinBitmap(const uint8_t* data, size_t size);
// Loads a skin bitmap by name; a missing file shows message 59 with the file name.
std::optional<SkinBitmap> LoadSkinBitmap(const std::string& name);
std::string SkinBitmapFileName(const std::string& name);

struct SkinBitmapSize
{
    int width = 0;
    int height = 0; // always positive (top-down bitmaps store it negated)
};
// Width and height from the information header (the 12-byte core form or the
// 40-byte and longer forms); no value when the header is cut short or malformed.
std::optional<SkinBitmapSize> BitmapSize(const SkinBitmap& bitmap);

// Where the pixels of a packed bitmap start (after the information header, any
// colour masks and the colour table); no value when that lies outside the bytes.
std::optional<size_t> PixelDataOffset(const SkinBitmap& bitmap);

// A dialog laid out from its background bitmap stands at this corner, as large as
// the bitmap.
inline constexpr int kDialogBitmapLeft = 45;
inline constexpr int kDialogBitmapTop = 45;
