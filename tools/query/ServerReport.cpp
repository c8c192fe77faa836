#include "query/ServerReport.h"

#include "browser/record/PingMs.h"

#include <algorithm>
#include <vector>

// The record keeps its rules newest first.
std::vector<const ServerRule*> RulesInOrder(const CServerInfo& record)
{
    std::vector<const ServerRule*> rules;
    for (const ServerRule& rule : record.rules)
        rules.push_back(&rule);
    std::reverse(rules.begin(), rules.end());
    return rules;
}

std::string AlignedTable(const std::vector<std::string>& header, const std::vector<std::vector<std::string>>& rows)
{
    std::vector<size_t> widths(header.size());
    for (size_t c = 0; c < header.size(); ++c)
        widths[c] = CharacterCount(header[c]);
    for (const auto& row : rows)
        for (size_t c = 0; c < row.size() && c < widths.size(); ++c)
            widths[c] = std::max(widths[c], CharacterCount(row[c]));
    std::string out;
    auto line = [&](const std::vector<std::string>& cells) {
        std::string text;
        for (size_t c = 0; c < widths.size(); ++c) {
            const std::string cell = c < cells.size() ? cells[c] : std::string();
            text += cell;
            if (c + 1 < widths.size())
                text += std::string(widths[c] - CharacterCount(cell) + 2, ' ');
        }
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        out += text + '\n';
    };
    line(header);
    for (const auto& row : rows)
        line(row);
    return out;
}

std::string ServerTable(const std::vector<const CServerInfo*>& records)
{
    std::vector<std::vector<std::string>> rows;
    for (const CServerInfo* r : records) {
        rows.push_back({r->address + ':' + std::to_string(r->port), Printable(r->name), Printable(r->map, 24),
                        std::to_string(r->currentplayers) + '/' + std::to_string(r->maxplayers),
                        std::to_string(PingMs(r->svping)), std::to_string(r->protocol),
                        std::string(1, r->svtype ? r->svtype : '-') + (r->svos ? r->svos : '-'),
                        r->password ? "yes" : "no"});
    }
    return AlignedTable({"ADDRESS", "NAME", "MAP", "PLAYERS", "PING", "PROTO", "TYPE", "PASSWORD"}, rows);
}

std::string PlayersTable(const CServerInfo& record)
{
    std::vector<std::vector<std::string>> rows;
    if (record.players) {
        for (const auto& player : *record.players)
            if (player)
                rows.push_back({std::to_string(player->id), Printable(player->name), std::to_string(player->frags),
                                std::to_string(player->time)});
    }
    return AlignedTable({"ID", "NAME", "FRAGS", "TIME"}, rows);
}

std::string RulesTable(const CServerInfo& record)
{
    std::vector<std::vector<std::string>> rows;
    for (const ServerRule* rule : RulesInOrder(record))
        rows.push_back({Printable(rule->key, 64), Printable(rule->value, 80)});
    return AlignedTable({"RULE", "VALUE"}, rows);
}

std::string ServerDetailsText(const CServerInfo& record, bool withPlayers, bool withRules)
{
    std::string out = '\n' + record.address + ':' + std::to_string(record.port) + "  " + Printable(record.name) + '\n';
    if (withPlayers)
        out += PlayersTable(record);
    if (withRules)
        out += (withPlayers ? "\n" : "") + RulesTable(record);
    return out;
}
