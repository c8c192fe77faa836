#pragma once
// A folder listing from an FTP site in the machine-readable form (MLSD): one line per
// entry of "fact=value;...; name".
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct FtpEntry
{
    enum Kind
    {
        File,
        Folder,
        Other, // links, the folder itself, its parent, devices: never fetched
    };
    std::string name;
    Kind kind = Other;
    uint64_t size = 0;
};

// No value when a line names an entry the launcher must refuse (a name with a
// separator, "..", a control character or over 255 bytes); the download then fails.
std::optional<std::vector<FtpEntry>> ParseMlsd(const std::string& text);
