#include "app/engine/EngineKeys.h"

#include <array>
#include <cstddef>

namespace {

constexpr int kMappedScanCodes = 89;
// clang-format off
constexpr std::array<uint8_t, kMappedScanCodes> kScanToKey = {
    0,   27,  49,  50,  51,  52,  53,  54,  55,  56,  57,  48,  45,  61,  127, 9,   113, 119,
    101, 114, 116, 121, 117, 105, 111, 112, 91,  93,  13,  133, 97,  115, 100, 102, 103, 104,
    106, 107, 108, 59,  39,  96,  134, 92,  122, 120, 99,  118, 98,  110, 109, 44,  46,  47,
    134, 42,  132, 32,  175, 135, 136, 137, 138, 139, 140, 141, 142, 143, 144, 255, 0,   151,
    128, 150, 173, 130, 164, 131, 174, 152, 129, 149, 147, 148, 0,   0,   0,   145, 146,
};
// clang-format on

struct KeyPair
{
    int from;
    int to;
};

// Navigation keys without the extended flag come from the keypad.
constexpr std::array<KeyPair, 10> kKeypad = {{
    {128, 161},
    {129, 167},
    {130, 163},
    {131, 165},
    {147, 170},
    {148, 171},
    {149, 168},
    {150, 162},
    {151, 160},
    {152, 166},
}};
// Keys whose extended form is a keypad key.
constexpr std::array<KeyPair, 3> kExtended = {{{13, 169}, {47, 172}, {175, 174}}};

constexpr uint32_t kEvdevMainBlockEnd = 88; // KEY_F12
constexpr uint32_t kNativeOffset = 8;

struct EvdevExtended
{
    uint32_t evdev;
    int scan;
};

constexpr std::array<EvdevExtended, 14> kEvdevExtended = {{
    {96, 0x1C},  // keypad Enter
    {97, 0x1D},  // right Ctrl
    {98, 0x35},  // keypad /
    {100, 0x38}, // right Alt
    {102, 0x47}, // Home
    {103, 0x48}, // Up
    {104, 0x49}, // Page Up
    {105, 0x4B}, // Left
    {106, 0x4D}, // Right
    {107, 0x4F}, // End
    {108, 0x50}, // Down
    {109, 0x51}, // Page Down
    {110, 0x52}, // Insert
    {111, 0x53}, // Delete
}};

int Replace(int key, const auto& pairs)
{
    for (const KeyPair& pair : pairs)
        if (pair.from == key)
            return pair.to;
    return key;
}

} // namespace

int EngineKeyNumber(int scanCode, bool extended)
{
    if (scanCode < 0 || scanCode >= kMappedScanCodes)
        return 0;
    const int key = kScanToKey[std::size_t(scanCode)];
    return extended ? Replace(key, kExtended) : Replace(key, kKeypad);
}

ScanCode ScanCodeFromEvdev(uint32_t evdevCode)
{
    if (evdevCode <= kEvdevMainBlockEnd)
        return ScanCode{int(evdevCode), false};
    for (const EvdevExtended& key : kEvdevExtended)
        if (key.evdev == evdevCode)
            return ScanCode{key.scan, true};
    return ScanCode{};
}

ScanCode ScanCodeFromNative(uint32_t nativeScanCode)
{
    if (nativeScanCode < kNativeOffset)
        return ScanCode{};
    return ScanCodeFromEvdev(nativeScanCode - kNativeOffset);
}
