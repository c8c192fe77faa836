#include "mods/download/FtpListing.h"

#include "mods/download/SafeFiles.h"
#include "platform/NumberText.h"

#include <strings.h>

std::optional<std::vector<FtpEntry>> ParseMlsd(const std::string& text)
{
    std::vector<FtpEntry> entries;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        const size_t space = line.find(' ');
        if (space == std::string::npos)
            return std::nullopt;
        const std::string facts = line.substr(0, space);
        FtpEntry entry;
        entry.name = line.substr(space + 1);
        std::string type;
        size_t f = 0;
        while (f < facts.size()) {
            size_t semi = facts.find(';', f);
            if (semi == std::string::npos)
                semi = facts.size();
            const std::string fact = facts.substr(f, semi - f);
            f = semi + 1;
            const size_t eq = fact.find('=');
            if (eq == std::string::npos)
                continue;
            const std::string key = fact.substr(0, eq);
            const std::string value = fact.substr(eq + 1);
            if (::strcasecmp(key.c_str(), "type") == 0)
                type = value;
            else if (::strcasecmp(key.c_str(), "size") == 0)
                entry.size = uint64_t(std::max<int64_t>(0, ParseInt64(value)));
        }
        if (::strcasecmp(type.c_str(), "file") == 0)
            entry.kind = FtpEntry::File;
        else if (::strcasecmp(type.c_str(), "dir") == 0)
            entry.kind = FtpEntry::Folder;
        if (entry.kind != FtpEntry::Other) {
            if (entry.name != "." && entry.name != ".." && !IsSafeName(entry.name))
                return std::nullopt;
            if (entry.name.empty() || entry.name[0] == '.')
                entry.kind = FtpEntry::Other; // hidden names are neither fetched nor entered
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}
