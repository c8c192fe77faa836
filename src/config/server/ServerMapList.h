#pragma once
// The maps a new server may run: the multiplayer maps of the current game directory,
// or, when it has none, those of the other directories. Only entries whose names are
// safe on a command line and a console line are offered.
#include "app/files/MapList.h"

#include <string>
#include <vector>

// The game directory whose maps come first: the current custom game's, else "harrow".
std::string ServerMapGameDirectory();
// The lower-cased entries after "maps/" of the records that qualify, sorted
// case-insensitively, each once.
std::vector<std::string> ChooseServerMaps(const std::vector<GameFileRecord>& records,
                                          const std::string& gameDirectory);
// Whether an entry names a map a server can be started on: letters, digits, '_', '-'
// and '+', at most 31 of them, before an optional ".bsp".
bool IsListableMapEntry(const std::string& entry);
// The multiplayer maps of the game file search, chosen as above.
std::vector<std::string> ListServerMaps();
