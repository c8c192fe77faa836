#pragma once
// A spray logo read from its bitmap file: a Windows BMP with a 40-byte information
// header, one plane, 8 bits per pixel, no compression, a full 256-entry colour table
// and bottom-up rows, at most 5192 bytes in all. The whole file is checked before
// anything is taken from it; anything else is refused.
#include "config/player/LogoColorTable.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

enum class LogoRefusal
{
    None,
    TooLarge,       // more than kMaxFileBytes
    Short,          // shorter than its headers, colour table or pixels
    NotBitmap,      // no "BM"
    WrongHeader,    // an information header other than the 40-byte one
    WrongFormat,    // not one plane of 8 bits per pixel
    Compressed,     // run-length or any other compression
    WrongPalette,   // a colour table of fewer than 256 entries
    TopDown,        // rows stored top row first (negative height)
    WrongSize,      // zero width or height, or pixels placed inside the headers
};

struct LogoBitmap
{
    static constexpr size_t kMaxFileBytes = 5192;
    static constexpr size_t kFileHeaderBytes = 14;
    static constexpr size_t kInfoHeaderBytes = 40;
    static constexpr int kColours = 256;

    int width = 0;
    int height = 0;
    // Palette indices, width × height, top row first.
    std::vector<uint8_t> pixels;
    // The file's colour table as red, green, blue: what the decal is built from.
    std::array<uint8_t, kColours * 3> palette{};
    // The preview's colour table (0xAARRGGBB), tinted with the chosen colour.
    std::array<uint32_t, kColours> preview{};
};

// Checks and reads a whole logo file; why, when given, receives the reason of a
// refusal (None on success).
std::optional<LogoBitmap> ParseLogo(const uint8_t* data, size_t size, LogoRefusal* why = nullptr);

// Entry i of the preview's colour table becomes (i·R/256, i·G/256, i·B/256), so entry 0
// is black and entry 255 nearly the full colour. The decal's palette is not touched.
void TintLogoPreview(LogoBitmap& logo, const LogoColour& colour);
