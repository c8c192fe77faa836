#pragma once
// The decal file the engine sprays: pldecal.wad, a WAD3 file with one mip-mapped
// texture "LOGO" whose last palette entry is the chosen logo colour. It is built whole
// in memory and written atomically to the logo folder and to the game directory.
#include "config/player/LogoBitmap.h"
#include "config/player/LogoColorTable.h"

#include <string>

inline constexpr const char* kDecalFileName = "pldecal.wad";

enum DecalMessage : int
{
    kMessageLogoNotSquare = 441,
    kMessageLogoTooWide = 442,
    kMessageLogoWrongSize = 443,
    kMessageFileNotWritten = 652, // "%s": the file that could not be written
};

// The whole file for a logo of 16, 32 or 64 square pixels. Returns 0, or the message
// number that refuses the logo's size (441 not square, 442 wider than 64, 443 another
// size) with bytes left empty.
int BuildDecalWad(const LogoBitmap& logo, const LogoColour& colour, std::string& bytes);

// Writes pldecal.wad into the logo folder and the current game directory. Nothing is
// written without a logo. A refused size shows its message; a failed write shows
// message 652; either way both old files stay whole. Returns 0 or the message shown.
int WriteDecalWad(const LogoBitmap* logo, const LogoColour& colour);
