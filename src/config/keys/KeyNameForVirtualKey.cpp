#include "config/keys/KeyNameForVirtualKey.h"

#include "app/engine/EngineKeys.h"

#include <Qt>

namespace {

struct NamedKey
{
    int virtualKey;
    const char* name;
    int number;
};

const NamedKey kNamedKeys[] = {
    {96, "KP_INS", 170},       {97, "KP_END", 166},     {98, "KP_DOWNARROW", 167}, {99, "KP_PGDN", 168},
    {100, "KP_LEFTARROW", 163}, {101, "KP_5", 164},     {102, "KP_RIGHTARROW", 165}, {103, "KP_HOME", 160},
    {104, "KP_UPARROW", 161},  {105, "KP_PGUP", 162},   {107, "KP_PLUS", 174},     {109, "KP_MINUS", 173},
    {110, "KP_DEL", 171},      {111, "KP_SLASH", 172},  {106, "*", 42},            {8, "BACKSPACE", 127},
    {9, "TAB", 9},             {16, "SHIFT", 134},      {17, "CTRL", 133},         {18, "ALT", 132},
    {19, "PAUSE", 255},        {20, "CAPSLOCK", 175},   {27, "ESCAPE", 27},        {32, "SPACE", 32},
    {33, "PGUP", 150},         {34, "PGDN", 149},       {35, "END", 152},          {36, "HOME", 151},
    {37, "LEFTARROW", 130},    {38, "UPARROW", 128},    {39, "RIGHTARROW", 131},   {40, "DOWNARROW", 129},
    {45, "INS", 147},          {46, "DEL", 148},        {186, ";", 59},            {187, "=", 61},
    {188, ",", 44},            {189, "-", 45},          {190, ".", 46},            {191, "/", 47},
    {192, "`", 126},           {219, "[", 91},          {220, "\\", 92},           {221, "]", 93},
    {222, "'", 39},
};

// Set-1 scan codes 0x00-0x58 without the extended flag (0: none).
const int kScanCodeKeys[0x59] = {
    0,   27,  '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', 189, 187, 8,   9,   // 0x00
    'Q', 'W', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P', 219, 221, 13,  17,  'A', 'S', // 0x10
    'D', 'F', 'G', 'H', 'J', 'K', 'L', 186, 222, 192, 16,  220, 'Z', 'X', 'C', 'V', // 0x20
    'B', 'N', 'M', 188, 190, 191, 16,  106, 18,  32,  20,  112, 113, 114, 115, 116, // 0x30
    117, 118, 119, 120, 121, 144, 145, 103, 104, 105, 109, 100, 101, 102, 107, 97,  // 0x40
    98,  99,  96,  110, 0,   0,   0,   122, 123,                                    // 0x50
};

} // namespace

EngineKeyName KeyNameForVirtualKey(int virtualKey, bool extended)
{
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9'))
        return {std::string(1, char(virtualKey)), virtualKey};
    if (virtualKey >= 112 && virtualKey <= 123)
        return {"F" + std::to_string(virtualKey - 111), virtualKey + 23};
    if (virtualKey == 13)
        return extended ? EngineKeyName{"KP_ENTER", 169} : EngineKeyName{"ENTER", 13};
    for (const NamedKey& key : kNamedKeys)
        if (key.virtualKey == virtualKey)
            return {key.name, key.number};
    return {kUnknownKeyName, 0};
}

VirtualKey VirtualKeyFromScanCode(int scanCode, bool extended)
{
    if (extended) {
        switch (scanCode) {
        case 0x1C:
            return {13, true};
        case 0x1D:
            return {17, true};
        case 0x35:
            return {111, true};
        case 0x38:
            return {18, true};
        case 0x47:
            return {36, true};
        case 0x48:
            return {38, true};
        case 0x49:
            return {33, true};
        case 0x4B:
            return {37, true};
        case 0x4D:
            return {39, true};
        case 0x4F:
            return {35, true};
        case 0x50:
            return {40, true};
        case 0x51:
            return {34, true};
        case 0x52:
            return {45, true};
        case 0x53:
            return {46, true};
        default:
            return {};
        }
    }
    if (scanCode <= 0 || scanCode >= int(std::size(kScanCodeKeys)))
        return {};
    return {kScanCodeKeys[scanCode], false};
}

VirtualKey VirtualKeyFromNative(uint32_t nativeScanCode)
{
    // Pause sends no set-1 code of its own; its evdev code is 119.
    if (nativeScanCode == 119 + 8)
        return {19, false};
    const ScanCode scan = ScanCodeFromNative(nativeScanCode);
    if (scan.code == 0)
        return {};
    return VirtualKeyFromScanCode(scan.code, scan.extended);
}

VirtualKey VirtualKeyFromQtKey(int qtKey, bool keypad)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return {qtKey - Qt::Key_A + 'A', false};
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return {keypad ? qtKey - Qt::Key_0 + 96 : qtKey - Qt::Key_0 + '0', false};
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
        return {qtKey - Qt::Key_F1 + 112, false};
    // Navigation keys on the pad (Num Lock off) are the pad's keys.
    struct Pair
    {
        int qt;
        int plain;
        int pad;
    };
    static const Pair kPairs[] = {
        {Qt::Key_Insert, 45, 96},   {Qt::Key_End, 35, 97},       {Qt::Key_Down, 40, 98},
        {Qt::Key_PageDown, 34, 99}, {Qt::Key_Left, 37, 100},     {Qt::Key_Clear, 0, 101},
        {Qt::Key_Right, 39, 102},   {Qt::Key_Home, 36, 103},     {Qt::Key_Up, 38, 104},
        {Qt::Key_PageUp, 33, 105},  {Qt::Key_Delete, 46, 110},   {Qt::Key_Asterisk, 0, 106},
        {Qt::Key_Plus, 0, 107},     {Qt::Key_Minus, 189, 109},   {Qt::Key_Period, 190, 110},
        {Qt::Key_Slash, 191, 111},  {Qt::Key_Backspace, 8, 8},   {Qt::Key_Tab, 9, 9},
        {Qt::Key_Backtab, 9, 9},    {Qt::Key_Shift, 16, 16},     {Qt::Key_Control, 17, 17},
        {Qt::Key_Alt, 18, 18},      {Qt::Key_Pause, 19, 19},     {Qt::Key_CapsLock, 20, 20},
        {Qt::Key_Escape, 27, 27},   {Qt::Key_Space, 32, 32},     {Qt::Key_Semicolon, 186, 186},
        {Qt::Key_Equal, 187, 187},  {Qt::Key_Comma, 188, 188},   {Qt::Key_QuoteLeft, 192, 192},
        {Qt::Key_BracketLeft, 219, 219}, {Qt::Key_Backslash, 220, 220}, {Qt::Key_BracketRight, 221, 221},
        {Qt::Key_Apostrophe, 222, 222},
    };
    if (qtKey == Qt::Key_Return)
        return {13, false};
    if (qtKey == Qt::Key_Enter)
        return {13, keypad};
    for (const Pair& pair : kPairs)
        if (pair.qt == qtKey)
            return {keypad ? pair.pad : pair.plain, false};
    return {};
}
