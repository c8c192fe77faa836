#pragma once
// Opens a document of the game tree (the manual, the read-me, the video help) with
// the desktop's viewer, as the shell's "open" verb did.
#include <functional>
#include <string>

// The file for a name from the string list: the game directory's copy, else the base
// directory's, else the name as given.
std::string DocumentPath(const std::string& name);

// Opens the file; false when it does not exist or no viewer took it.
bool OpenDocument(const std::string& path);
// Opens the document named by a localised string; message 90 with the file name
// when that fails. Returns whether it opened.
bool OpenNamedDocument(int stringNumber);

// Replaces the desktop viewer (tests); an empty function restores it.
void SetDocumentOpener(std::function<bool(const std::string&)> opener);
