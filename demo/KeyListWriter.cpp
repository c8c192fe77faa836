#include "demo/KeyListWriter.h"

namespace KeyListWriter {

namespace {

const QColor kMouseColour{120, 190, 255};
const QColor kJoystickColour{140, 220, 140};

QString Quoted(const QString& text)
{
    return '"' + text + '"';
}

void Set(std::array<DemoKey, kKeyCount>& table, int number, const QString& name, const QString& description,
         std::optional<QColor> colour = std::nullopt)
{
    table[size_t(number)] = {name, description, colour};
}

// Default binding per key name.
const std::pair<const char*, const char*> kDefaults[] = {
    {"W", "+forward"},        {"S", "+back"},          {"A", "+moveleft"},     {"D", "+moveright"},
    {"SPACE", "+jump"},       {"CTRL", "+duck"},       {"SHIFT", "+speed"},    {"UPARROW", "+forward"},
    {"DOWNARROW", "+back"},   {"LEFTARROW", "+left"},  {"RIGHTARROW", "+right"}, {"PGUP", "+lookup"},
    {"PGDN", "+lookdown"},    {"END", "centerview"},   {"MOUSE1", "+attack"},  {"MOUSE2", "+attack2"},
    {"R", "+reload"},         {"MWHEELUP", "invprev"}, {"MWHEELDOWN", "invnext"}, {"Q", "lastinv"},
    {"E", "+use"},            {"F", "impulse 100"},    {"T", "impulse 201"},   {"Y", "messagemode"},
    {"U", "messagemode2"},    {"K", "+voicerecord"},   {"TAB", "+showscores"}, {"F5", "snapshot"},
    {"`", "toggleconsole"},   {"ESCAPE", "cancelselect"}, {"F6", "save quick"}, {"F7", "load quick"},
    {"1", "slot1"},           {"2", "slot2"},          {"3", "slot3"},         {"4", "slot4"},
    {"5", "slot5"},           {"PAUSE", "pause"},
};

// Rows of the keyboard dialog: "blank" rows are group headings.
const std::pair<const char*, const char*> kActions[] = {
    {"blank", "Movement"},
    {"+forward", "Move forward"},
    {"+back", "Move back"},
    {"+moveleft", "Strafe left"},
    {"+moveright", "Strafe right"},
    {"+jump", "Jump"},
    {"+duck", "Crouch"},
    {"+speed", "Walk slowly"},
    {"+left", "Turn left"},
    {"+right", "Turn right"},
    {"+lookup", "Look up"},
    {"+lookdown", "Look down"},
    {"centerview", "Centre the view"},
    {"+mlook", "Mouse look"},
    {"blank", "Combat"},
    {"+attack", "Fire"},
    {"+attack2", "Secondary fire"},
    {"+reload", "Reload"},
    {"invnext", "Next weapon"},
    {"invprev", "Previous weapon"},
    {"lastinv", "Last weapon used"},
    {"slot1", "Weapon group 1"},
    {"slot2", "Weapon group 2"},
    {"slot3", "Weapon group 3"},
    {"slot4", "Weapon group 4"},
    {"slot5", "Weapon group 5"},
    {"blank", "Actions"},
    {"+use", "Use items"},
    {"impulse 100", "Flashlight"},
    {"impulse 201", "Spray logo"},
    {"blank", "Communication"},
    {"messagemode", "Chat message"},
    {"messagemode2", "Team message"},
    {"+voicerecord", "Use voice communication"},
    {"blank", "Interface"},
    {"+showscores", "Show scores"},
    {"snapshot", "Take a screenshot"},
    {"save quick", "Quick save"},
    {"load quick", "Quick load"},
    {"pause", "Pause"},
    {"toggleconsole", "Console"},
    {"cancelselect", "Back to the menu"},
};

} // namespace

std::array<DemoKey, kKeyCount> KeyTable()
{
    std::array<DemoKey, kKeyCount> table;
    Set(table, 9, "TAB", "Tab");
    Set(table, 13, "ENTER", "Enter");
    Set(table, 27, "ESCAPE", "Escape");
    Set(table, 32, "SPACE", "Space bar");
    for (const char c : {'\'', ',', '-', '.', '/', ';', '=', '[', '\\', ']'})
        Set(table, c, QString(QChar(c)), QStringLiteral("%1 key").arg(QChar(c)));
    Set(table, 42, "*", "Keypad *");
    Set(table, 126, "`", "Console key");
    for (int digit = 0; digit <= 9; ++digit)
        Set(table, '0' + digit, QString::number(digit), QStringLiteral("%1 key").arg(digit));
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        Set(table, letter, QString(QChar(letter)), QStringLiteral("%1 key").arg(QChar(letter)));
    Set(table, 127, "BACKSPACE", "Backspace");
    const char* arrows[] = {"UPARROW", "DOWNARROW", "LEFTARROW", "RIGHTARROW"};
    const char* arrowNames[] = {"Up arrow", "Down arrow", "Left arrow", "Right arrow"};
    for (int i = 0; i < 4; ++i)
        Set(table, 128 + i, arrows[i], arrowNames[i]);
    Set(table, 132, "ALT", "Alt");
    Set(table, 133, "CTRL", "Control");
    Set(table, 134, "SHIFT", "Shift");
    for (int f = 1; f <= 12; ++f)
        Set(table, 134 + f, QStringLiteral("F%1").arg(f), QStringLiteral("Function key %1").arg(f));
    Set(table, 147, "INS", "Insert");
    Set(table, 148, "DEL", "Delete");
    Set(table, 149, "PGDN", "Page down");
    Set(table, 150, "PGUP", "Page up");
    Set(table, 151, "HOME", "Home");
    Set(table, 152, "END", "End");
    const char* pad[] = {"KP_HOME", "KP_UPARROW", "KP_PGUP", "KP_LEFTARROW", "KP_5",   "KP_RIGHTARROW",
                         "KP_END",  "KP_DOWNARROW", "KP_PGDN", "KP_ENTER",   "KP_INS", "KP_DEL",
                         "KP_SLASH", "KP_MINUS", "KP_PLUS"};
    const char* padNames[] = {"Keypad 7", "Keypad 8", "Keypad 9",     "Keypad 4", "Keypad 5",
                              "Keypad 6", "Keypad 1", "Keypad 2",     "Keypad 3", "Keypad Enter",
                              "Keypad 0", "Keypad .", "Keypad /",     "Keypad -", "Keypad +"};
    for (int i = 0; i < 15; ++i)
        Set(table, 160 + i, pad[i], padNames[i]);
    Set(table, 175, "CAPSLOCK", "Caps lock");
    Set(table, 200, "MOUSE1", "Left mouse button", kMouseColour);
    Set(table, 201, "MOUSE2", "Right mouse button", kMouseColour);
    Set(table, 202, "MOUSE3", "Middle mouse button", kMouseColour);
    for (int j = 1; j <= 4; ++j)
        Set(table, 202 + j, QStringLiteral("JOY%1").arg(j), QStringLiteral("Joystick button %1").arg(j),
            kJoystickColour);
    for (int a = 1; a <= 32; ++a)
        Set(table, 206 + a, QStringLiteral("AUX%1").arg(a), QStringLiteral("Joystick extra %1").arg(a),
            kJoystickColour);
    Set(table, 239, "MWHEELDOWN", "Mouse wheel down", kMouseColour);
    Set(table, 240, "MWHEELUP", "Mouse wheel up", kMouseColour);
    Set(table, 241, "MOUSE4", "Mouse button 4", kMouseColour);
    Set(table, 242, "MOUSE5", "Mouse button 5", kMouseColour);
    Set(table, 255, "PAUSE", "Pause");
    return table;
}

QStringList Keys()
{
    QStringList lines;
    const auto table = KeyTable();
    for (int number = 0; number < kKeyCount; ++number) {
        const DemoKey& key = table[size_t(number)];
        QString line = QStringLiteral("%1\t%2\t%3\t")
                           .arg(number)
                           .arg(Quoted(key.name.isEmpty() ? QStringLiteral("<UNKNOWN>") : key.name), -16)
                           .arg(Quoted(key.name.isEmpty() ? QStringLiteral("Unused") : key.description), -24);
        if (key.colour)
            line += QStringLiteral("COLOR %1 %2 %3").arg(key.colour->red()).arg(key.colour->green()).arg(key.colour->blue());
        else
            line += QStringLiteral("NOCOLOR");
        lines << line;
    }
    return lines;
}

QStringList Defaults()
{
    QStringList lines;
    for (const auto& [key, command] : kDefaults)
        lines << QStringLiteral("%1\t%2").arg(Quoted(key), -14).arg(Quoted(command));
    return lines;
}

QStringList Actions()
{
    QStringList lines;
    for (const auto& [command, description] : kActions)
        lines << QStringLiteral("%1\t%2").arg(Quoted(command), -18).arg(Quoted(description));
    return lines;
}

QStringList PlayerConfig()
{
    QStringList lines{QStringLiteral("// Kestrel demo player settings"), QStringLiteral("unbindall")};
    for (const auto& [key, command] : kDefaults)
        lines << QStringLiteral("bind %1 %2").arg(Quoted(QString::fromLatin1(key).toLower()), Quoted(command));
    lines << QStringLiteral("exec demo.cfg") << QStringLiteral("name \"Demo Player\"")
          << QStringLiteral("setinfo model \"pilgrim\"") << QStringLiteral("+mlook") << QStringLiteral("+jlook")
          << QStringLiteral("+klook");
    return lines;
}

QStringList PlayerScript()
{
    return {QStringLiteral("// Run by config.cfg"), QStringLiteral("fps_max \"90\""),
            QStringLiteral("bind \"z\" \"say Hello from the demo\"")};
}

} // namespace KeyListWriter
