#pragma once
// Virtual-key codes (the launcher's key codes, numbered as on the original desktop
// platform) to the engine's key names and numbers, and the platform's key events to
// virtual-key codes.
#include <cstdint>
#include <string>

struct EngineKeyName
{
    std::string name;
    int number = 0;
};

inline constexpr const char* kUnknownKeyName = "<UNKNOWN KEYNUM>";

// The engine's name and number for a virtual key; extended is the extended-key flag
// (it makes Enter the keypad's). Unknown codes give kUnknownKeyName and 0.
EngineKeyName KeyNameForVirtualKey(int virtualKey, bool extended);

struct VirtualKey
{
    int code = 0; // 0: none
    bool extended = false;
};

// From a PC set-1 scan code: the key's place on the keyboard, whatever the layout.
VirtualKey VirtualKeyFromScanCode(int scanCode, bool extended);
// From the native key code of a key event (X11: the evdev code plus 8); none when the
// code is not a keyboard key the table knows.
VirtualKey VirtualKeyFromNative(uint32_t nativeScanCode);
// Where no native code exists: from the toolkit's key (Qt::Key) and whether the key
// is on the numeric pad.
VirtualKey VirtualKeyFromQtKey(int qtKey, bool keypad);
