#include "query/ServerListOutput.h"

#include "query/CsvReport.h"
#include "query/JsonReport.h"
#include "query/ServerReport.h"

std::string FormatServers(const QueryOptions& options, const std::vector<const CServerInfo*>& records)
{
    const bool withPlayers = options.players || options.command == QueryCommand::Players;
    const bool withRules = options.rules || options.command == QueryCommand::Rules;
    switch (options.format) {
    case OutputFormat::Json:
        return ServersJson(records, withPlayers, withRules);
    case OutputFormat::Csv:
        if (options.command == QueryCommand::Players)
            return PlayersCsv(records);
        if (options.command == QueryCommand::Rules)
            return RulesCsv(records);
        return ServersCsv(records);
    case OutputFormat::Table:
        break;
    }
    if (records.empty())
        return std::string();
    std::string out = ServerTable(records);
    if (withPlayers || withRules)
        for (const CServerInfo* r : records)
            out += ServerDetailsText(*r, withPlayers, withRules);
    return out;
}
