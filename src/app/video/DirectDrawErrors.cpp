#include "app/video/DirectDrawErrors.h"

#include <algorithm>
#include <iterator>

namespace {

struct ErrorName
{
    uint32_t number; // added to the display facility
    const char* text;
};

// Sorted by number. The texts are shown to players as they stand.
constexpr ErrorName kDisplayErrors[] = {
    {5, "Object already initialised"},
    {10, "Cannot attack surface"},
    {20, "Cannot detach surface"},
    {40, "Currently Not Available"},
    {55, "Exception has occured"},
    {90, "Height Alignment"},
    {95, "Incompatible Primary"},
    {100, "Invalid Caps"},
    {110, "Invlaid Clip List"},
    {120, "Invalid Mode"},
    {130, "Invalid Object"},
    {145, "Invalid Pixel Format"},
    {150, "Invalid Rectangle"},
    {160, "Locked Surfaces"},
    {170, "No 3d support present"},
    {180, "No Alpha Hardware"},
    {205, "No Clip List"},
    {210, "No Colour Conversion Hardware"},
    {212, "No Cooperative Level Set"},
    {215, "Surface Has No Colour Key"},
    {220, "No Hardware Colour Key"},
    {222, "No Direct Draw Support"},
    {225, "No Exclusive Mode"},
    {230, "No Flip Hardware"},
    {240, "GDI is not present"},
    {250, "No Mirror Hardware"},
    {255, "Requested Item Was No Found"},
    {260, "No Overlay Hardware"},
    {280, "No Raster Op Hardware"},
    {290, "No Roatation Hardware"},
    {310, "No Stretch Hardware"},
    {316, "Not 4 Bit Colour"},
    {317, "Not 4 Bit Colour Index"},
    {320, "Not 8 Bit Colour"},
    {330, "No Texture Hardware"},
    {335, "No VSync Hardware"},
    {340, "No Z Buffer Hardware"},
    {350, "No Z Overlay Hardware"},
    {360, "Hardware Has Already Been Allocated"},
    {380, "Out Of Video Memory"},
    {382, "Hardware can't clip overlays"},
    {384, "Can only have colour key active at one time for overlays"},
    {387, "Palette Locked by another thread"},
    {400, "Colour key is not set"},
    {410, "Surface already attached"},
    {420, "Surface Already Dependent"},
    {430, "Surface Is Busy"},
    {440, "Surface Is Obscured"},
    {450, "Surface Lost"},
    {460, "Surface Not Attached"},
    {470, "Height Too Big"},
    {480, "Width Too Big"},
    {490, "Width Too Big"},
    {510, "Unsupported Format"},
    {520, "Unsupported Mask Format"},
    {537, "Vertical Blank In Progress"},
    {540, "Still Drawing"},
    {560, "X Align"},
    {561, "Invalid Direct Draw GUID"},
    {562, "Direct Draw Already Created"},
    {563, "No Direct Draw HardWare"},
    {564, "Primary Surface Already Exists"},
    {565, "No Emulation"},
    {566, "Region Too Small"},
    {567, "Clipper is using a HWND"},
    {568, "No Clipper Attached"},
    {569, "No HWND set"},
    {570, "HWND Sub-Classed"},
    {571, "HWND Already Set"},
    {572, "No Palette Attrached"},
    {573, "No Palette Hardware"},
    {574, "Blit Fast Can't Clip"},
    {575, "No Blit Hardware"},
    {576, "No Direct Draw Raster OP Hardware"},
    {577, "Overlay Not Visible"},
    {578, "No Overlay Destination"},
    {579, "Invlaid Position"},
    {580, "Not An Overlay Surface"},
    {581, "Exclusive Mode Already Set"},
    {582, "Not Flippable"},
    {583, "Can't Duplicate"},
    {584, "Not Locked"},
    {585, "Can't Create DC"},
    {586, "No DC has ever Existed"},
    {587, "Wrong Mode"},
    {588, "Surface Cannot Be Restored"},
    {589, "Not Palettized"},
    {590, "Unsupported Mode"},
};

} // namespace

const char* DirectDrawErrorName(uint32_t code)
{
    switch (code) {
    case 0:
        return "No error";
    case kResultNotImplemented:
        return "Unsupported Operation";
    case kResultFailure:
        return "Generic failure";
    case kResultOutOfMemory:
        return "Out Of Memory";
    case kResultInvalidArgument:
        return "Invalid Params";
    default:
        break;
    }
    if ((code & 0xFFFF0000u) != kDisplayResultFacility)
        return "unk";
    const uint32_t number = code - kDisplayResultFacility;
    const auto it = std::lower_bound(std::begin(kDisplayErrors), std::end(kDisplayErrors), number,
                                     [](const ErrorName& e, uint32_t n) { return e.number < n; });
    return (it != std::end(kDisplayErrors) && it->number == number) ? it->text : "unk";
}
