#pragma once
// The two option scripts of the demo world: server options (settings.scr) and the
// player's user information (user.scr), in the layout the launcher reads and writes.
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

struct DemoOption
{
    enum Type { Bool = 1, Number = 2, List = 3, String = 4 };

    QString cvar;
    QString prompt;
    Type type = Bool;
    float min = -1; // Number only; -1 means no limit on that side
    float max = -1;
    std::vector<std::pair<QString, QString>> list; // List only: label, value
    QString defaultText;
    bool setInfo = false;
};

namespace ScriptWriter {

std::vector<DemoOption> ServerOptions();
std::vector<DemoOption> UserOptions();

// The script text: a comment header, VERSION 1.0, DESCRIPTION name, the options.
QStringList Script(const QString& descriptionName, const QString& title, const std::vector<DemoOption>& options);

} // namespace ScriptWriter
