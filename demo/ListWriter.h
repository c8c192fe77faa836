#pragma once
// The text lists of the demo world: string overrides, colours, the game description,
// the service address list and the installation file. Each function returns the
// file's lines (written with CR LF endings).
#include <QStringList>

namespace ListWriter {

// Loopback endpoints that the test peers serve.
constexpr const char* kPeerHost = "127.0.0.1";
constexpr int kPylonPort = 6001;
constexpr int kAuthPort = 6002;
constexpr int kMasterPort = 27010;
constexpr int kModMasterPort = 27011;

constexpr const char* kGameName = "Kestrel Demo";
constexpr const char* kGameDirectory = "vrel";
constexpr const char* kManualFile = "vrel/manual.html";
constexpr const char* kPatchVersion = "1.0.1.6";
constexpr const char* kShortTitle = "KESTREL";

// gfx/shell/strings.lst: a few numbered texts that replace the built-in ones.
QStringList StringList();
// gfx/shell/colors.lst: a name and three decimal numbers per line.
QStringList ColourList();
// vrel/liblist.gam: key and value pairs.
QStringList Liblist();
// harrow/liblist.gam: the base game's own description.
QStringList BaseLiblist();
// kavcomm.lst: sections of service addresses.
QStringList ServiceAddresses();
// zorvan.inf: the "Ident" section.
QStringList ZorvanInf();
// The small HTML manual that the menu's manual button opens.
QStringList Manual();

} // namespace ListWriter
