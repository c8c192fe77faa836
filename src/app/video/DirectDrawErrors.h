#pragma once
// Short names of display result codes, used in messages 130 and 131. The codes keep
// the values of the original display interface, so the numbers a player reports mean
// the same thing everywhere.
#include <cstdint>

inline constexpr uint32_t kDisplayResultFacility = 0x88760000u;

// The code of a display result number (facility 0x876).
constexpr uint32_t DisplayResult(uint32_t number)
{
    return kDisplayResultFacility + number;
}

inline constexpr uint32_t kResultNotImplemented = 0x80004001u;
inline constexpr uint32_t kResultFailure = 0x80004005u;
inline constexpr uint32_t kResultOutOfMemory = 0x8007000Eu;
inline constexpr uint32_t kResultInvalidArgument = 0x80070057u;
inline constexpr uint32_t kResultNoDisplayHardware = DisplayResult(563);

// The table's text for a code; "unk" for codes it does not know.
const char* DirectDrawErrorName(uint32_t code);
