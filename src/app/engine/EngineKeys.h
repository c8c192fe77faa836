#pragma once
// Keyboard scan codes to the engine's key numbers.
#include <cstdint>

struct ScanCode
{
    int code = 0;          // PC set-1 scan code, 0 when unknown
    bool extended = false; // the extended-key flag (E0 prefix)
};

// The engine's key number for a scan code; codes of 128 and above give 0.
int EngineKeyNumber(int scanCode, bool extended);

// The PC scan code of a Linux evdev key code: the main block keeps its number,
// the navigation keys, keypad Enter and /, right Ctrl and right Alt become their
// scan codes with the extended flag; other keys give 0.
ScanCode ScanCodeFromEvdev(uint32_t evdevCode);

// The scan code of a native key code as Qt reports it on X11 and Wayland (the X key
// code, which is the evdev code plus 8).
ScanCode ScanCodeFromNative(uint32_t nativeScanCode);
