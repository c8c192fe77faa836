#pragma once
// The server options behind the create-server dialog's advanced button: read from
// settings.scr through the game file search, written back as game.cfg and
// settings.scr into the current game directory as it is spelled on disk.
#include "config/scripts/CServerDescription.h"

#include <memory>
#include <string>

// settings.scr read and parsed; nullptr when it is missing or unreadable.
std::unique_ptr<CServerDescription> LoadServerOptions();
// The folder the options are written to: the current custom game's directory, else
// the game directory of the file search, below the base directory.
std::string ServerOptionsDirectory();
// Writes game.cfg and settings.scr (a read-only settings.scr is replaced); false when
// either could not be written.
bool SaveServerOptions(CServerDescription& description);
