#pragma once
// Where kestrel-query refresh takes its servers from: master servers, list files of
// HOST:PORT lines and favsvrs.dat files, merged into one list document.
#include "query/QueryOptions.h"

#include <string>
#include <vector>

class CNetGameDoc;

struct SourcedServer
{
    ServerAddress address;
    bool favorite = false;
};

// The lines of a list file: one HOST[:PORT] each (port 27015 when left out); '#'
// starts a comment; blank lines are skipped. False with "line N: reason" in error.
bool ParseServerListText(const std::string& text, std::vector<SourcedServer>& out, std::string& error);
// The list file at path; errors name the file and the line.
bool ReadServerListFile(const std::string& path, std::vector<SourcedServer>& out, std::string& error);
// The servers of a favsvrs.dat file, in file order; a damaged record is an error.
bool ReadFavoritesFile(const std::string& path, std::vector<SourcedServer>& out, std::string& error);
// Replaces host names by their first IPv4 address; false naming a host that does not
// resolve to one.
bool ResolveHostNames(std::vector<SourcedServer>& servers, std::string& error);

enum class SourcesResult
{
    Ok,
    BadInput,     // a file unreadable or malformed, a host that does not resolve
    MasterFailed, // a master's list could not be had
};

// Every server of the options' masters, list files and favourites files, in that
// order, in the document, records of one address merged as the document merges them.
SourcesResult GatherServers(const QueryOptions& options, CNetGameDoc& doc, std::string& err);
