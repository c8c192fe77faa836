#include "demo/ListWriter.h"

#include "demo/DemoMap.h"
#include "demo/SkinTheme.h"

namespace ListWriter {

namespace {

QString Quoted(const QString& text)
{
    return '"' + text + '"';
}

QString Entry(int port)
{
    return QStringLiteral("\t%1:%2").arg(kPeerHost).arg(port);
}

} // namespace

QStringList StringList()
{
    const std::pair<int, const char*> texts[] = {
        {75, kManualFile},
        {78, "156 26"},
        {235, "A game of !game is still running. Leave it and quit?"},
        {236, "Leave !game?"},
        {403, "Page %i of %i"},
        {468, "This server is protected by a password. Please enter it:"},
        {579, kManualFile},
    };
    QStringList lines{"// Kestrel demo: texts that replace the built-in ones.",
                      "// Each entry is a number and a text in double quotes.", ""};
    for (const auto& [number, text] : texts)
        lines << QStringLiteral("%1\t%2").arg(number).arg(Quoted(text));
    return lines;
}

QStringList ColourList()
{
    QStringList lines{"// Kestrel demo skin colours: a name, then red, green and blue.", ""};
    for (const auto& [name, colour] : SkinTheme::ColourList())
        lines << QStringLiteral("%1\t%2 %3 %4").arg(name, -22).arg(colour.red()).arg(colour.green()).arg(colour.blue());
    return lines;
}

QStringList Liblist()
{
    QString startMap;
    for (const DemoMap& map : DemoMap::Catalogue())
        if (!map.multiplayer && startMap.isEmpty())
            startMap = map.name;
    return {
        "// Kestrel demo game description",
        "game\t\t" + Quoted(kGameName),
        "gamedir\t\t" + Quoted(kGameDirectory),
        "startmap\t" + Quoted(startMap),
        "trainmap\t" + Quoted(startMap),
        "mpentity\t\"info_player_deathmatch\"",
        "version\t\t\"1\"",
        "size\t\t\"4\"",
        "rating\t\t\"5\"",
        "date\t\t\"2026-12-08\"",
        "url_info\t\"none\"",
        "url_dl\t\t\"none\"",
        "svonly\t\t\"0\"",
        "cldll\t\t\"1\"",
        "gamedll\t\t\"dlls/vrel.so\"",
    };
}

QStringList BaseLiblist()
{
    return {
        "// Harrow: the base game that every game directory builds on",
        "game\t\t\"Harrow\"",
        "gamedir\t\t\"harrow\"",
        "version\t\t\"1\"",
        "url_info\t\"none\"",
        "url_dl\t\t\"none\"",
        "gamedll\t\t\"dlls/harrow.so\"",
    };
}

QStringList ServiceAddresses()
{
    return {
        "// Kestrel demo service addresses: every service runs on this computer.",
        "Pylon",
        "{",
        Entry(kPylonPort),
        "}",
        "Auth",
        "{",
        Entry(kAuthPort),
        "}",
        "Master",
        "{",
        Entry(kMasterPort),
        "}",
        "ModServer",
        "{",
        Entry(kModMasterPort),
        "}",
    };
}

QStringList ZorvanInf()
{
    return {
        "[Ident]",
        QStringLiteral("PatchVersion=%1").arg(kPatchVersion),
        QStringLiteral("ShortTitle=%1").arg(kShortTitle),
    };
}

QStringList Manual()
{
    return {
        "<!DOCTYPE html>",
        "<html><head><meta charset=\"utf-8\"><title>Kestrel Demo manual</title>",
        "<style>body{background:#3f3f3f;color:#fff;font-family:'DejaVu Sans',sans-serif;margin:3em}"
        "h1,h2{color:#ffb418}</style></head><body>",
        "<h1>Kestrel Demo</h1>",
        "<p>This demo world holds four multiplayer maps (Ashfall Quarry, Stormcrag Aerie, "
        "The Saltworks and Hollow Spire) and one single-player map, Windward Descent.</p>",
        "<h2>Playing online</h2>",
        "<p>Choose <b>Internet Games</b> to list the servers of the local test master, or "
        "<b>Quick Start</b> to join the best one found.</p>",
        "<h2>Controls</h2>",
        "<p>W, A, S and D move, the mouse aims, the left button fires. Every key can be "
        "changed under <b>Configure Kestrel</b>.</p>",
        "</body></html>",
    };
}

} // namespace ListWriter
