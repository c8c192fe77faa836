// The keyboard dialog's rules, the key names of key events and the joystick.
#include "PlayerConfigFixture.h"

#include "config/keys/JoystickSource.h"
#include "config/keys/KeyBindingModel.h"
#include "config/keys/KeyNameForVirtualKey.h"

#include <linux/joystick.h>
#include <unistd.h>

namespace {

class KeyBindings : public PlayerConfigFixture
{
protected:
    void SetUp() override
    {
        PlayerConfigFixture::SetUp();
        WriteConfig("bind \"e\" \"+forward\"\nbind \"s\" \"+back\"\nbind \"x\" \"+back\"\nbind \"SPACE\" \"+jump\"\n"
                    "bind \"z\" \"kill\"\n");
        ASSERT_TRUE(LoadPlayerConfig());
        ASSERT_TRUE(model.Open(*ThePlayerConfig()));
    }

    int Row(const char* command) const
    {
        for (size_t i = 0; i < model.Rows().size(); ++i)
            if (model.Rows()[i].command == command)
                return int(i);
        return -1;
    }
    const KeyBindingRow& RowOf(const char* command) const { return model.Rows()[size_t(Row(command))]; }
    std::optional<std::string> Bound(char key) const { return ThePlayerConfig()->bindings[size_t(key)].command; }

    KeyBindingModel model;
};

} // namespace

TEST_F(KeyBindings, RowsShowTheLastTwoKeysOfEachAction)
{
    ASSERT_EQ(model.Rows().size(), 7u);
    EXPECT_TRUE(model.Rows()[0].Separator());
    EXPECT_EQ(RowOf("+back").keys, (std::array<std::string, 2>{"X", "S"}));
    EXPECT_EQ(RowOf("+forward").keys[0], "E");
    EXPECT_EQ(RowOf("+attack").keys[0], "");
    // Keys without a colour of their own get the table's default; white for none.
    EXPECT_EQ(RowOf("+forward").colours[0], KeyInfoTable::kDefaultColour);
    EXPECT_EQ(RowOf("+forward").colours[1], KeyBindingRow::kWhite);
    EXPECT_FALSE(model.StartCapture(0, 1));
    EXPECT_EQ(model.ChooserNames().size(), 87u);
}

TEST_F(KeyBindings, AssigningReplacesTheKeyAndOkSaves)
{
    ASSERT_TRUE(model.Assign(Row("+forward"), 1, "w"));
    EXPECT_EQ(RowOf("+forward").keys[0], "W");
    EXPECT_EQ(model.UnbindList(), (std::vector<std::string>{"E"}));
    model.Apply(*ThePlayerConfig());
    ASSERT_TRUE(SavePlayerConfig());
    EXPECT_FALSE(Bound('e'));
    EXPECT_EQ(Bound('w'), "+forward");
    const std::string text = ConfigText();
    EXPECT_EQ(text.find("bind \"e\""), std::string::npos);
    EXPECT_NE(text.find("bind \"w\" \"+forward\""), std::string::npos);
    // Bindings to actions the dialog does not list stay.
    EXPECT_NE(text.find("bind \"z\" \"kill\""), std::string::npos);
}

TEST_F(KeyBindings, TakingAnotherRowsSecondKeyLeavesItsFirst)
{
    ASSERT_TRUE(model.Assign(Row("+jump"), 2, "S"));
    EXPECT_EQ(RowOf("+back").keys, (std::array<std::string, 2>{"X", ""}));
    EXPECT_EQ(RowOf("+jump").keys, (std::array<std::string, 2>{"SPACE", "S"}));
    model.Apply(*ThePlayerConfig());
    EXPECT_EQ(Bound('s'), "+jump");
    EXPECT_EQ(Bound('x'), "+back");
}

TEST_F(KeyBindings, SecondKeyEqualToTheFirstStaysEmpty)
{
    ASSERT_TRUE(model.Assign(Row("+back"), 2, "x"));
    EXPECT_EQ(RowOf("+back").keys, (std::array<std::string, 2>{"X", ""}));
    model.Apply(*ThePlayerConfig());
    EXPECT_EQ(Bound('x'), "+back");
    EXPECT_FALSE(Bound('s'));
}

TEST_F(KeyBindings, CaptureAcceptsOnlyTableKeysAndEscapeChangesNothing)
{
    ASSERT_TRUE(model.StartCapture(Row("+use"), 1));
    EXPECT_FALSE(model.FinishCapture(CapturedKeyName(27, false)));
    EXPECT_FALSE(model.Capturing());
    EXPECT_FALSE(model.Changed());
    ASSERT_TRUE(model.StartCapture(Row("+use"), 1));
    EXPECT_FALSE(model.FinishCapture("AUX31")); // no such entry in this key list
    EXPECT_FALSE(model.Changed());
    ASSERT_TRUE(model.StartCapture(Row("+use"), 1));
    EXPECT_TRUE(model.FinishCapture(WheelKeyName(-120)));
    EXPECT_EQ(RowOf("+use").keys[0], "MWHEELDOWN");
    EXPECT_EQ(RowOf("+use").colours[0], 120u | (190u << 8) | (255u << 16));
    EXPECT_TRUE(model.Changed());
}

TEST_F(KeyBindings, ClearingMovesTheSecondKeyUp)
{
    EXPECT_FALSE(model.Clear(Row("+attack"), 1));
    ASSERT_TRUE(model.Clear(Row("+back"), 1));
    EXPECT_EQ(RowOf("+back").keys, (std::array<std::string, 2>{"S", ""}));
    model.Apply(*ThePlayerConfig());
    EXPECT_FALSE(Bound('x'));
    EXPECT_EQ(Bound('s'), "+back");
}

TEST_F(KeyBindings, UseDefaultsThenCancelLeavesTheConfigurationAlone)
{
    const QByteArray before = ConfigBytes();
    model.UseDefaults();
    EXPECT_EQ(RowOf("+forward").keys[0], "W");
    EXPECT_EQ(RowOf("+attack").keys[0], "MOUSE1");
    // Cancel: nothing applied.
    EXPECT_EQ(Bound('e'), "+forward");
    EXPECT_FALSE(Bound('w'));
    EXPECT_EQ(ConfigBytes(), before);
    // OK applies the defaults instead.
    model.Apply(*ThePlayerConfig());
    EXPECT_EQ(Bound('w'), "+forward");
    EXPECT_EQ(Bound('e'), "+use");
    EXPECT_FALSE(Bound('z'));
}

TEST_F(KeyBindings, BrokenListsAreReported)
{
    KeyBindingModel broken;
    EXPECT_EQ(broken.OpenFromTexts("0 \"a\" \"b\"", "\"+x\" \"X\"", *ThePlayerConfig()), 16);
    EXPECT_EQ(broken.OpenFromTexts("", "\"+x\" \"X\" \"+y\"", *ThePlayerConfig()), 14);
    EXPECT_EQ(broken.Rows().size(), 1u);
    EXPECT_EQ(broken.OpenFromTexts("", nullptr, *ThePlayerConfig()), 13);
    std::string many;
    for (int i = 0; i < 257; ++i)
        many += "1 k" + std::to_string(i) + " d NOCOLOR\n";
    EXPECT_EQ(broken.OpenFromTexts(many.c_str(), "", *ThePlayerConfig()), 17);
    EXPECT_EQ(broken.Keys().Count(), 256);
}

TEST_F(PlayerConfigFixture, KeyNamesLongerThanTheNameTableKeepTheirBindings)
{
    // 40 characters: config.cfg and the engine's name table hold the first 31.
    const std::string longName = "JOYSTICK_AXIS_THROTTLE_FORWARD_EXTENDED1";
    QByteArray keyList = TestKeyList();
    keyList.replace("150 \"<UNKNOWN KEYNUM>\" \"<UNKNOWN KEYNUM> key\"",
                    QByteArray("150 \"") + longName.c_str() + "\" \"Throttle\"");
    tree.WriteBase("gfx/shell/kb_keys.lst", keyList);
    WriteConfig(QByteArray("bind \"") + longName.substr(0, 31).c_str() + "\" \"+jump\"\n");
    ASSERT_TRUE(LoadPlayerConfig());
    ASSERT_EQ(ThePlayerConfig()->bindings[150].command, "+jump");

    KeyBindingModel model;
    ASSERT_TRUE(model.Open(*ThePlayerConfig()));
    const auto row = [&](const char* command) {
        for (size_t i = 0; i < model.Rows().size(); ++i)
            if (model.Rows()[i].command == command)
                return int(i);
        return -1;
    };
    EXPECT_EQ(model.Rows()[size_t(row("+jump"))].keys[0], longName);
    // Moving the key to another action takes it from the first.
    ASSERT_TRUE(model.Assign(row("+use"), 1, longName));
    EXPECT_EQ(model.Rows()[size_t(row("+jump"))].keys[0], "");
    model.Apply(*ThePlayerConfig());
    ASSERT_TRUE(SavePlayerConfig());
    EXPECT_EQ(ThePlayerConfig()->bindings[150].command, "+use");
    EXPECT_NE(ConfigText().find("bind \"" + longName.substr(0, 31) + "\" \"+use\""), std::string::npos) << ConfigText();
    // Clearing it unbinds it.
    ASSERT_TRUE(model.Clear(row("+use"), 1));
    model.Apply(*ThePlayerConfig());
    EXPECT_FALSE(ThePlayerConfig()->bindings[150].command);
}

// The engine applies the last bind of a key. A save keeps every line of a key whose
// binding did not change; a changed key keeps one line, its last, with the new command.
TEST_F(PlayerConfigFixture, RepeatedBindsOfAKeyStayUntilTheKeyChanges)
{
    ASSERT_TRUE(LoadPlayerConfig()); // writes a complete file
    const QByteArray complete = ConfigBytes();
    const QByteArray repeated = complete + "bind \"x\" \"+jump\"\nbind \"z\" \"kill\"\nbind \"x\" \"+back\"\n";
    WriteConfig(repeated);
    ASSERT_TRUE(LoadPlayerConfig());
    EXPECT_EQ(ThePlayerConfig()->bindings[size_t('x')].command, "+back");

    KeyBindingModel model;
    ASSERT_TRUE(model.Open(*ThePlayerConfig()));
    model.Apply(*ThePlayerConfig());
    ASSERT_TRUE(SavePlayerConfig());
    EXPECT_EQ(ConfigText(), repeated.toStdString());

    int jump = -1;
    for (size_t i = 0; i < model.Rows().size(); ++i)
        if (model.Rows()[i].command == "+jump")
            jump = int(i);
    ASSERT_TRUE(model.Assign(jump, 2, "x"));
    model.Apply(*ThePlayerConfig());
    ASSERT_TRUE(SavePlayerConfig());
    EXPECT_EQ(ConfigText(), (complete + "bind \"z\" \"kill\"\nbind \"x\" \"+jump\"\n").toStdString());
    // Clearing the key takes every line of it: none is left to come back into force.
    ASSERT_TRUE(model.Clear(jump, 2));
    model.Apply(*ThePlayerConfig());
    ASSERT_TRUE(SavePlayerConfig());
    EXPECT_EQ(ConfigText(), (complete + "bind \"z\" \"kill\"\n").toStdString());
}

TEST(KeyNames, VirtualKeysFollowTheEngineTable)
{
    EXPECT_EQ(KeyNameForVirtualKey(123, false).name, "F12");
    EXPECT_EQ(KeyNameForVirtualKey(123, false).number, 146);
    EXPECT_EQ(KeyNameForVirtualKey(13, true).name, "KP_ENTER");
    EXPECT_EQ(KeyNameForVirtualKey(13, true).number, 169);
    EXPECT_EQ(KeyNameForVirtualKey(13, false).name, "ENTER");
    EXPECT_EQ(KeyNameForVirtualKey(101, false).name, "KP_5");
    EXPECT_EQ(KeyNameForVirtualKey(106, false).number, 42);
    EXPECT_EQ(KeyNameForVirtualKey(192, false).name, "`");
    EXPECT_EQ(KeyNameForVirtualKey(255, false).number, 0);
    EXPECT_EQ(CapturedKeyName(255, false), "");
}

TEST(KeyNames, ScanCodesGiveTheKeysPlaceAndQtKeysAreTheFallback)
{
    // X11 key codes: 96 is F12, 104 keypad Enter, 24 the key right of Tab (Q on
    // US keyboards, A on French ones: the engine sees the place, so does the dialog).
    VirtualKey key = VirtualKeyFromNative(96);
    EXPECT_EQ(KeyNameForVirtualKey(key.code, key.extended).name, "F12");
    key = VirtualKeyFromNative(104);
    EXPECT_EQ(KeyNameForVirtualKey(key.code, key.extended).name, "KP_ENTER");
    key = VirtualKeyFromNative(24);
    EXPECT_EQ(KeyNameForVirtualKey(key.code, key.extended).name, "Q");
    key = VirtualKeyFromNative(79); // keypad 7
    EXPECT_EQ(KeyNameForVirtualKey(key.code, key.extended).name, "KP_HOME");
    key = VirtualKeyFromNative(110); // Home
    EXPECT_EQ(KeyNameForVirtualKey(key.code, key.extended).name, "HOME");

    key = VirtualKeyFromQtKey(Qt::Key_Enter, true);
    EXPECT_EQ(KeyNameForVirtualKey(key.code, key.extended).name, "KP_ENTER");
    key = VirtualKeyFromQtKey(Qt::Key_Return, false);
    EXPECT_EQ(KeyNameForVirtualKey(key.code, key.extended).name, "ENTER");
    key = VirtualKeyFromQtKey(Qt::Key_7, true);
    EXPECT_EQ(KeyNameForVirtualKey(key.code, key.extended).name, "KP_HOME");
    key = VirtualKeyFromQtKey(Qt::Key_F12, false);
    EXPECT_EQ(KeyNameForVirtualKey(key.code, key.extended).number, 146);
}

TEST(KeyNames, MouseAndWheel)
{
    EXPECT_EQ(MouseButtonKeyName(3), "MOUSE3");
    EXPECT_EQ(MouseButtonKeyName(6), "");
    EXPECT_EQ(WheelKeyName(120), "MWHEELUP");
    EXPECT_EQ(WheelKeyName(0x10000 + 120), "MWHEELUP");
    EXPECT_EQ(WheelKeyName(0xFF88), "MWHEELDOWN"); // -120 as a 16-bit value
}

TEST(Joystick, EventsThroughAPipeGiveButtonAndHatNames)
{
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    LinuxJoystickSource source(fds[0]);
    ASSERT_TRUE(source.Present());
    auto send = [&](uint8_t type, uint8_t number, int16_t value) {
        js_event event{};
        event.type = type;
        event.number = number;
        event.value = value;
        ASSERT_EQ(::write(fds[1], &event, sizeof event), ssize_t(sizeof event));
    };
    JoystickState before = source.State();
    source.Poll(); // nothing waiting: no block, no change
    EXPECT_EQ(JoystickKeyName(before, source.State(), true), "");
    send(JS_EVENT_BUTTON | JS_EVENT_INIT, 1, 0);
    send(JS_EVENT_BUTTON, 1, 1);
    source.Poll();
    EXPECT_EQ(JoystickKeyName(before, source.State(), true), "JOY2");
    before = source.State();
    send(JS_EVENT_BUTTON, 5, 1);
    source.Poll();
    EXPECT_EQ(JoystickKeyName(before, source.State(), true), "AUX6");
    before = source.State();
    send(JS_EVENT_AXIS, LinuxJoystickSource::kDefaultHatAxis, 32767);
    source.Poll();
    EXPECT_EQ(JoystickKeyName(before, source.State(), false), "");
    EXPECT_EQ(JoystickKeyName(before, source.State(), true), "AUX30");
    ::close(fds[1]);
    source.Poll();
}

TEST(Joystick, EventSplitAcrossReadsKeepsTheStreamInStep)
{
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    LinuxJoystickSource source(fds[0]);
    js_event events[2]{};
    events[0].type = JS_EVENT_BUTTON;
    events[0].number = 2;
    events[0].value = 1;
    events[1].type = JS_EVENT_BUTTON;
    events[1].number = 0;
    events[1].value = 1;
    const char* bytes = reinterpret_cast<const char*>(events);
    ASSERT_EQ(::write(fds[1], bytes, 5), 5);
    source.Poll();
    EXPECT_FALSE(source.State().buttons[2]);
    ASSERT_EQ(::write(fds[1], bytes + 5, sizeof events - 5), ssize_t(sizeof events - 5));
    source.Poll();
    EXPECT_TRUE(source.State().buttons[2]);
    EXPECT_TRUE(source.State().buttons[0]);
    ::close(fds[1]);
}

TEST(Joystick, NoDeviceMeansNoJoystick)
{
    EXPECT_FALSE(LinuxJoystickSource::OpenFirst("/nonexistent")->Present());
}
