#include "demo/ScriptWriter.h"

#include "platform/NumberText.h"

namespace ScriptWriter {

namespace {

QString Quoted(const QString& text)
{
    return '"' + text + '"';
}

// List values are the entries' own indices, which the launcher stores either way.
std::vector<std::pair<QString, QString>> Indexed(std::initializer_list<const char*> labels)
{
    std::vector<std::pair<QString, QString>> entries;
    int index = 0;
    for (const char* label : labels)
        entries.emplace_back(label, QString::number(index++));
    return entries;
}

DemoOption Bool(const char* cvar, const char* prompt, bool on, bool setInfo = false)
{
    return {cvar, prompt, DemoOption::Bool, -1, -1, {}, on ? "1" : "0", setInfo};
}

DemoOption Number(const char* cvar, const char* prompt, float min, float max, const char* value, bool setInfo = false)
{
    return {cvar, prompt, DemoOption::Number, min, max, {}, value, setInfo};
}

DemoOption List(const char* cvar, const char* prompt, std::initializer_list<const char*> labels, int index,
                bool setInfo = false)
{
    return {cvar, prompt, DemoOption::List, -1, -1, Indexed(labels), QString::number(index), setInfo};
}

DemoOption Text(const char* cvar, const char* prompt, const char* value, bool setInfo = false)
{
    return {cvar, prompt, DemoOption::String, -1, -1, {}, value, setInfo};
}

QString Float(float value)
{
    return QString::fromStdString(FormatFixed(double(value), 6));
}

} // namespace

std::vector<DemoOption> ServerOptions()
{
    return {
        Text("hostname", "Server name", "Kestrel Demo Server"),
        Number("maxplayers", "Maximum players", 2, 32, "12"),
        List("mp_teamplay", "Game mode", {"Free for all", "Two teams", "Capture the nest"}, 0),
        Number("mp_timelimit", "Time limit (minutes)", 0, 180, "20"),
        Number("mp_fraglimit", "Frag limit", 0, 500, "30"),
        Bool("mp_friendlyfire", "Friendly fire", false),
        Bool("mp_falldamage", "Realistic fall damage", true),
        Bool("mp_weaponstay", "Weapons stay", false),
        Bool("mp_footsteps", "Footsteps", true),
        Bool("mp_forcerespawn", "Force respawn", true),
        List("sv_region", "Server region", {"Anywhere", "Europe", "North America", "South America", "Asia", "Oceania"},
             0),
        Number("decalfrequency", "Spray interval (seconds)", 10, 120, "30"),
        Text("sv_contact", "Administrator contact", "admin@localhost"),
    };
}

std::vector<DemoOption> UserOptions()
{
    return {
        Bool("_cl_autowepswitch", "Switch to a better weapon on pickup", true, true),
        Number("cl_dlmax", "Largest download packet (bytes)", 80, 1400, "512", true),
        Bool("cl_lw", "Predict weapon fire locally", true, true),
        Bool("cl_lc", "Compensate for lag", true, true),
        Number("cl_updaterate", "Updates per second", 10, 100, "30", true),
        Text("team", "Preferred team", "Kestrels", true),
        List("cl_hand", "Weapon hand", {"Right", "Left", "Centre"}, 0),
        Bool("hud_fastswitch", "Fast weapon switch", false),
        List("hud_crosshair", "Crosshair size", {"Automatic", "Small", "Medium", "Large"}, 0),
    };
}

QStringList Script(const QString& descriptionName, const QString& title, const std::vector<DemoOption>& options)
{
    QStringList lines{
        "// " + title,
        "// Option syntax:",
        "//  \"cvar\" { \"Prompt\" { type [ type info ] } { default } [ SetInfo ] }",
        "//  types: BOOL, NUMBER min max (-1 for no limit), LIST label value pairs, STRING",
        "",
        "VERSION 1.0",
        "",
        "DESCRIPTION " + descriptionName,
        "{",
    };
    for (const DemoOption& option : options) {
        lines << "\t" + Quoted(option.cvar) << "\t{" << "\t\t" + Quoted(option.prompt);
        switch (option.type) {
        case DemoOption::Bool:
            lines << "\t\t{ BOOL }";
            break;
        case DemoOption::Number:
            lines << QStringLiteral("\t\t{ NUMBER %1 %2 }").arg(Float(option.min), Float(option.max));
            break;
        case DemoOption::String:
            lines << "\t\t{ STRING }";
            break;
        case DemoOption::List:
            lines << "\t\t{" << "\t\t\tLIST";
            for (const auto& [label, value] : option.list)
                lines << "\t\t\t" + Quoted(label) + " " + Quoted(value);
            lines << "\t\t}";
            break;
        }
        lines << "\t\t{ " + Quoted(option.defaultText) + " }";
        if (option.setInfo)
            lines << "\t\tSetInfo";
        lines << "\t}" << "";
    }
    lines << "}";
    return lines;
}

} // namespace ScriptWriter
