#pragma once
// The Internet server list file "favsvrs.dat": "{", the records in list order in
// their text form, "}". Loading puts each record at the head of the list, so the
// list holds them in the reverse of the file order.
#include "browser/record/CServerInfo.h"

#include <QString>

#include <memory>
#include <string>
#include <vector>

class Prompt;

class FavoriteServersFile
{
public:
    static constexpr const char* kFileName = "favsvrs.dat";

    struct LoadResult
    {
        std::vector<std::unique_ptr<CServerInfo>> servers; // list order
        int damagedRecords = 0;
    };

    // "<base directory>/favsvrs.dat".
    static QString DefaultPath();

    // Reads every record it can: after a damaged record it goes on at the next one.
    static LoadResult Parse(const char* text);
    static std::string Format(const std::vector<const CServerInfo*>& list);

    // A missing or unreadable file gives an empty list and asks nothing; a damaged
    // one leaves the decision about the file to DamagedListDecision.
    static LoadResult Load(const QString& path, Prompt& prompt);
    // Replaces the file atomically; false when it could not be written.
    static bool Save(const QString& path, const std::vector<const CServerInfo*>& list);
};
