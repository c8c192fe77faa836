#include "query/ServerSources.h"

#include "browser/list/CNetGameDoc.h"
#include "browser/record/FavoriteServersFile.h"
#include "query/MasterFetch.h"
#include "query/TerminalText.h"

#include <QFile>
#include <QHostAddress>
#include <QHostInfo>

#include <map>

namespace {

// Larger list files are refused rather than read whole into memory.
constexpr qint64 kMaxListFileBytes = 64 * 1024 * 1024;

bool ReadWholeFile(const std::string& path, QByteArray& bytes, std::string& error)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        error = "cannot read " + path + ": " + file.errorString().toStdString();
        return false;
    }
    // Read with a bound rather than measured first: a pipe or a device has no size.
    bytes = file.read(kMaxListFileBytes + 1);
    if (bytes.size() > kMaxListFileBytes) {
        error = path + ": larger than " + std::to_string(kMaxListFileBytes / (1024 * 1024)) + " MiB";
        return false;
    }
    return true;
}

std::string Trimmed(const std::string& text)
{
    const char* blanks = " \t\r\f\v";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool IsDottedQuad(const std::string& host)
{
    QHostAddress address;
    return address.setAddress(QString::fromStdString(host)) && address.protocol() == QAbstractSocket::IPv4Protocol;
}

} // namespace

bool ParseServerListText(const std::string& text, std::vector<SourcedServer>& out, std::string& error)
{
    // A byte order mark, as some editors write at the start of a UTF-8 file.
    size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    int lineNumber = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        ++lineNumber;
        std::string line = text.substr(start, end - start);
        start = end + 1;
        const size_t hash = line.find('#');
        if (hash != std::string::npos)
            line.erase(hash);
        line = Trimmed(line);
        if (line.empty())
            continue;
        SourcedServer server;
        std::string why;
        if (!SplitHostPort(line, QueryOptions::kDefaultServerPort, server.address.host, server.address.port, &why)) {
            // The line is quoted as a terminal can show it safely.
            error = "line " + std::to_string(lineNumber) + ": " + Printable(why, 200);
            return false;
        }
        out.push_back(server);
    }
    return true;
}

bool ReadServerListFile(const std::string& path, std::vector<SourcedServer>& out, std::string& error)
{
    QByteArray bytes;
    if (!ReadWholeFile(path, bytes, error))
        return false;
    if (!ParseServerListText(bytes.toStdString(), out, error)) {
        error = path + ", " + error;
        return false;
    }
    return true;
}

bool ReadFavoritesFile(const std::string& path, std::vector<SourcedServer>& out, std::string& error)
{
    QByteArray bytes;
    if (!ReadWholeFile(path, bytes, error))
        return false;
    if (bytes.contains('\0')) {
        error = path + ": not a server list file";
        return false;
    }
    FavoriteServersFile::LoadResult loaded = FavoriteServersFile::Parse(bytes.constData());
    if (loaded.damagedRecords > 0) {
        error = path + ": " + std::to_string(loaded.damagedRecords) + " damaged server records";
        return false;
    }
    if (loaded.servers.empty() && !bytes.trimmed().isEmpty() && !bytes.trimmed().startsWith('{')) {
        error = path + ": not a server list file";
        return false;
    }
    // Loading keeps the records newest first; the file's own order is the reverse.
    for (auto it = loaded.servers.rbegin(); it != loaded.servers.rend(); ++it) {
        const CServerInfo& r = **it;
        SourcedServer server;
        std::string why;
        if (!SplitHostPort(r.address + ':' + std::to_string(r.port), QueryOptions::kDefaultServerPort,
                           server.address.host, server.address.port, &why)) {
            error = path + ": " + why;
            return false;
        }
        server.favorite = r.favorite;
        out.push_back(server);
    }
    return true;
}

bool ResolveHostNames(std::vector<SourcedServer>& servers, std::string& error)
{
    std::map<std::string, std::string> resolved;
    for (SourcedServer& s : servers) {
        std::string& host = s.address.host;
        if (IsDottedQuad(host))
            continue;
        auto found = resolved.find(host);
        if (found == resolved.end()) {
            std::string ipv4;
            for (const QHostAddress& a : QHostInfo::fromName(QString::fromStdString(host)).addresses()) {
                if (a.protocol() == QAbstractSocket::IPv4Protocol) {
                    ipv4 = a.toString().toStdString();
                    break;
                }
            }
            if (ipv4.empty()) {
                error = "host name does not resolve to an IPv4 address: " + host;
                return false;
            }
            found = resolved.emplace(host, ipv4).first;
        }
        host = found->second;
    }
    return true;
}

SourcesResult GatherServers(const QueryOptions& options, CNetGameDoc& doc, std::string& err)
{
    std::vector<SourcedServer> servers;
    std::string error;
    auto badInput = [&] {
        err += "kestrel-query: " + error + '\n';
        return SourcesResult::BadInput;
    };
    for (const std::string& path : options.listFiles)
        if (!ReadServerListFile(path, servers, error))
            return badInput();
    for (const std::string& path : options.favoriteFiles)
        if (!ReadFavoritesFile(path, servers, error))
            return badInput();
    std::vector<SourcedServer> masters;
    for (const ServerAddress& m : options.masters)
        masters.push_back(SourcedServer{m, false});
    if (!ResolveHostNames(servers, error) || !ResolveHostNames(masters, error))
        return badInput();

    std::vector<SourcedServer> listed;
    for (const SourcedServer& m : masters) {
        std::vector<ServerAddress> entries;
        if (!FetchMasterList(m.address, options.filter, entries)) {
            err += "Couldn't get list of servers from " + m.address.host + ':' + std::to_string(m.address.port) + ".\n";
            return SourcesResult::MasterFailed;
        }
        for (const ServerAddress& e : entries)
            listed.push_back(SourcedServer{e, false});
    }
    listed.insert(listed.end(), servers.begin(), servers.end());
    for (const SourcedServer& s : listed)
        if (CServerInfo* r = doc.AddServer(s.address.host, s.address.port, true))
            r->favorite = s.favorite;
    doc.RemoveDuplicates();
    return SourcesResult::Ok;
}
