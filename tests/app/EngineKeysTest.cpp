#include "app/engine/EngineKeys.h"

#include <gtest/gtest.h>

TEST(EngineKeys, MainBlockScanCodes)
{
    EXPECT_EQ(EngineKeyNumber(1, false), 27); // Escape
    EXPECT_EQ(EngineKeyNumber(2, false), '1');
    EXPECT_EQ(EngineKeyNumber(11, false), '0');
    EXPECT_EQ(EngineKeyNumber(14, false), 127); // Backspace
    EXPECT_EQ(EngineKeyNumber(16, false), 'q');
    EXPECT_EQ(EngineKeyNumber(28, false), 13); // Enter
    EXPECT_EQ(EngineKeyNumber(30, false), 'a');
    EXPECT_EQ(EngineKeyNumber(44, false), 'z');
    EXPECT_EQ(EngineKeyNumber(57, false), ' ');
    EXPECT_EQ(EngineKeyNumber(59, false), 135); // F1
    EXPECT_EQ(EngineKeyNumber(68, false), 144); // F10
    EXPECT_EQ(EngineKeyNumber(87, false), 145); // F11
    EXPECT_EQ(EngineKeyNumber(88, false), 146); // F12
}

TEST(EngineKeys, OutOfTableCodesGiveZero)
{
    EXPECT_EQ(EngineKeyNumber(0, false), 0);
    EXPECT_EQ(EngineKeyNumber(84, false), 0);
    EXPECT_EQ(EngineKeyNumber(89, false), 0);
    EXPECT_EQ(EngineKeyNumber(127, true), 0);
    EXPECT_EQ(EngineKeyNumber(128, false), 0);
    EXPECT_EQ(EngineKeyNumber(255, true), 0);
    EXPECT_EQ(EngineKeyNumber(-1, false), 0);
}

TEST(EngineKeys, NavigationKeysWithoutExtendedFlagAreTheKeypad)
{
    EXPECT_EQ(EngineKeyNumber(72, true), 128);  // Up arrow
    EXPECT_EQ(EngineKeyNumber(72, false), 161); // keypad 8
    EXPECT_EQ(EngineKeyNumber(80, false), 167);
    EXPECT_EQ(EngineKeyNumber(75, false), 163);
    EXPECT_EQ(EngineKeyNumber(77, false), 165);
    EXPECT_EQ(EngineKeyNumber(82, false), 170);
    EXPECT_EQ(EngineKeyNumber(83, false), 171);
    EXPECT_EQ(EngineKeyNumber(81, false), 168);
    EXPECT_EQ(EngineKeyNumber(73, false), 162);
    EXPECT_EQ(EngineKeyNumber(71, false), 160);
    EXPECT_EQ(EngineKeyNumber(79, false), 166);
    EXPECT_EQ(EngineKeyNumber(71, true), 151); // Home
    EXPECT_EQ(EngineKeyNumber(83, true), 148); // Delete
}

TEST(EngineKeys, ExtendedFlagTurnsEnterSlashAndCapsIntoKeypadKeys)
{
    EXPECT_EQ(EngineKeyNumber(28, true), 169); // keypad Enter
    EXPECT_EQ(EngineKeyNumber(53, true), 172); // keypad /
    EXPECT_EQ(EngineKeyNumber(53, false), '/');
    EXPECT_EQ(EngineKeyNumber(58, false), 175);
    EXPECT_EQ(EngineKeyNumber(58, true), 174);
    EXPECT_EQ(EngineKeyNumber(29, true), 133); // right Ctrl is still Ctrl
    EXPECT_EQ(EngineKeyNumber(56, true), 132); // right Alt is still Alt
}

TEST(EngineKeys, EvdevCodes)
{
    const ScanCode escape = ScanCodeFromEvdev(1);
    EXPECT_EQ(escape.code, 1);
    EXPECT_FALSE(escape.extended);
    const ScanCode up = ScanCodeFromEvdev(103);
    EXPECT_EQ(up.code, 0x48);
    EXPECT_TRUE(up.extended);
    EXPECT_EQ(EngineKeyNumber(up.code, up.extended), 128);
    const ScanCode keypadUp = ScanCodeFromEvdev(72);
    EXPECT_EQ(EngineKeyNumber(keypadUp.code, keypadUp.extended), 161);
    const ScanCode keypadEnter = ScanCodeFromEvdev(96);
    EXPECT_EQ(EngineKeyNumber(keypadEnter.code, keypadEnter.extended), 169);
    const ScanCode keypadSlash = ScanCodeFromEvdev(98);
    EXPECT_EQ(EngineKeyNumber(keypadSlash.code, keypadSlash.extended), 172);
    const ScanCode rightCtrl = ScanCodeFromEvdev(97);
    EXPECT_EQ(rightCtrl.code, 0x1D);
    EXPECT_TRUE(rightCtrl.extended);
    const ScanCode rightAlt = ScanCodeFromEvdev(100);
    EXPECT_EQ(rightAlt.code, 0x38);
    EXPECT_TRUE(rightAlt.extended);
    EXPECT_EQ(ScanCodeFromEvdev(89).code, 0);  // outside the main block, not extended
    EXPECT_EQ(ScanCodeFromEvdev(125).code, 0); // left "Windows" key
    EXPECT_EQ(ScanCodeFromEvdev(4000).code, 0);
}

TEST(EngineKeys, NativeCodesAreEvdevPlusEight)
{
    EXPECT_EQ(ScanCodeFromNative(9).code, 1); // Escape on X11
    EXPECT_EQ(EngineKeyNumber(ScanCodeFromNative(9).code, false), 27);
    const ScanCode del = ScanCodeFromNative(119);
    EXPECT_EQ(del.code, 0x53);
    EXPECT_TRUE(del.extended);
    EXPECT_EQ(ScanCodeFromNative(0).code, 0);
    EXPECT_EQ(ScanCodeFromNative(7).code, 0);
    EXPECT_EQ(ScanCodeFromNative(8).code, 0);
}
