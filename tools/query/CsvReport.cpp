#include "query/CsvReport.h"

#include "browser/record/CServerInfo.h"
#include "browser/record/PingMs.h"
#include "query/ServerReport.h"

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + '"';
}

std::string CsvLine(const std::vector<std::string>& fields)
{
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i)
        line += (i ? "," : "") + CsvField(fields[i]);
    return line + '\n';
}

namespace {

std::string Flag(bool on)
{
    return on ? "1" : "0";
}

std::string Char(char c)
{
    return c ? std::string(1, c) : std::string();
}

} // namespace

std::string ServersCsv(const std::vector<const CServerInfo*>& records)
{
    std::string out = CsvLine({"address", "port", "name", "map", "dir", "game", "currentplayers", "maxplayers",
                               "protocol", "svtype", "svos", "password", "ping_ms", "favorite"});
    for (const CServerInfo* r : records)
        out += CsvLine({r->address, std::to_string(r->port), r->name, r->map, r->dir, r->game,
                        std::to_string(r->currentplayers), std::to_string(r->maxplayers), std::to_string(r->protocol),
                        Char(r->svtype), Char(r->svos), Flag(r->password), std::to_string(PingMs(r->svping)),
                        Flag(r->favorite)});
    return out;
}

std::string PlayersCsv(const std::vector<const CServerInfo*>& records)
{
    std::string out = CsvLine({"address", "port", "id", "name", "frags", "time"});
    for (const CServerInfo* r : records) {
        if (!r->players)
            continue;
        for (const auto& p : *r->players)
            if (p)
                out += CsvLine({r->address, std::to_string(r->port), std::to_string(p->id), p->name,
                                std::to_string(p->frags), std::to_string(p->time)});
    }
    return out;
}

std::string RulesCsv(const std::vector<const CServerInfo*>& records)
{
    std::string out = CsvLine({"address", "port", "key", "value"});
    for (const CServerInfo* r : records)
        for (const ServerRule* rule : RulesInOrder(*r))
            out += CsvLine({r->address, std::to_string(r->port), rule->key, rule->value});
    return out;
}

std::string AddressesCsv(const std::vector<ServerAddress>& addresses)
{
    std::string out = CsvLine({"address", "port"});
    for (const ServerAddress& a : addresses)
        out += CsvLine({a.host, std::to_string(a.port)});
    return out;
}
