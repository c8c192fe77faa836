#pragma once
// The key lists of the demo world: key names (one entry for each of the 256 key
// numbers), the default bindings and the actions of the keyboard dialog.
#include <QColor>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

struct DemoKey
{
    QString name;        // empty: no key has this number
    QString description;
    std::optional<QColor> colour;
};

namespace KeyListWriter {

constexpr int kKeyCount = 256;

// The engine's key numbering: the slot index is the key number.
std::array<DemoKey, kKeyCount> KeyTable();

// gfx/shell/kb_keys.lst: number, name, description, then COLOR and three numbers or
// NOCOLOR. Unused numbers carry the name "<UNKNOWN>".
QStringList Keys();
// gfx/shell/kb_def.lst: key name and default command.
QStringList Defaults();
// gfx/shell/kb_act.lst: command and description; "blank" rows head a group.
QStringList Actions();
// vrel/config.cfg: the default bindings and a few lines of the player's own that the
// launcher keeps (a script it executes, a "+" command, the model as user information).
QStringList PlayerConfig();
// vrel/demo.cfg, the script config.cfg executes.
QStringList PlayerScript();

} // namespace KeyListWriter
