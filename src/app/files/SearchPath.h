#pragma once
// The layered game file search: the active game directory, its archives (highest
// number first), then the base directory "harrow" and its archives.
#include "app/files/PackFile.h"

#include <cstdio>
#include <list>
#include <memory>
#include <string>

struct SearchPathEntry
{
    bool base = false;              // belongs to the base directory
    std::string directory;          // full path (root '/' name); empty for an archive
    std::string root;               // the folder that holds the game directory
    std::string gameDirectoryName;  // "harrow", "vrel", ...
    std::shared_ptr<PackFile> pack; // the archive this entry stands for
};

// Where a search found a file, for handle-style access.
struct FileLocation
{
    int64_t position = 0; // data position within the opened file (0 for loose files)
    int64_t length = 0;
    int handle = -1;      // -1 when not found
};

// Sets up the search path once per process (later calls do nothing).
void InitSearchPath();
// Adds a game directory at the head of the path; with base false, first drops the
// entries of the previous game directory. Names are matched to folders ignoring case.
void AddGameDirectory(bool base, const std::string& root, const std::string& name);
// Closes every archive and forgets the path; the next search sets it up again.
void ResetSearchPath();
const std::list<SearchPathEntry>& SearchPathEntries();

// Exactly one of location and file must be given. Returns the data length, or -1.
int64_t COM_FindFile(const std::string& name, FileLocation* location, FILE** file);
void CloseLocation(FileLocation& location);
// The whole file with a terminating NUL, or no value.
std::unique_ptr<char[]> LoadFile(const std::string& name, int64_t* length = nullptr);
// Path of a loose (not archived) file for a component that opens files by path.
std::string FindLooseFile(const std::string& name);

// Resolves a path below root whose components may differ in letter case from what is
// on disk; returns the path as it exists, or root + '/' + relative when nothing matches.
std::string ResolveCaseInsensitive(const std::string& root, const std::string& relative);
