#include "query/JsonReport.h"

#include "browser/record/CServerInfo.h"
#include "browser/record/PingMs.h"
#include "query/ServerReport.h"

#include <QByteArray>
#include <QString>

#include <algorithm>

namespace {

void Key(std::string& out, const char* key)
{
    out += '"';
    out += key;
    out += "\":";
}

void Field(std::string& out, const char* key, const std::string& text)
{
    Key(out, key);
    AppendJsonString(out, text);
    out += ',';
}

void Field(std::string& out, const char* key, long long number)
{
    Key(out, key);
    out += std::to_string(number);
    out += ',';
}

void Flag(std::string& out, const char* key, bool on)
{
    Key(out, key);
    out += on ? "true," : "false,";
}

std::string Char(char c)
{
    return c ? std::string(1, c) : std::string();
}

void CloseObject(std::string& out)
{
    if (out.back() == ',')
        out.back() = '}';
    else
        out += '}';
}

} // namespace

void AppendJsonString(std::string& out, const std::string& text)
{
    static const char kHex[] = "0123456789abcdef";
    const bool ascii =
        std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    // Invalid UTF-8 is replaced as QString reads it.
    const std::string valid =
        ascii ? std::string() : QString::fromUtf8(text.data(), qsizetype(text.size())).toStdString();
    const std::string& bytes = ascii ? text : valid;
    out += '"';
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (u < 0x20 || u == 0x7f) {
            out += "\\u00";
            out += kHex[u >> 4];
            out += kHex[u & 0xf];
        } else {
            out += c;
        }
    }
    out += '"';
}

void AppendServerJson(std::string& out, const CServerInfo& r, bool withPlayers, bool withRules)
{
    out += '{';
    Field(out, "address", r.address);
    Field(out, "port", r.port);
    Field(out, "name", r.name);
    Field(out, "map", r.map);
    Field(out, "dir", r.dir);
    Field(out, "game", r.game);
    Field(out, "currentplayers", r.currentplayers);
    Field(out, "maxplayers", r.maxplayers);
    Field(out, "protocol", r.protocol);
    Field(out, "svtype", Char(r.svtype));
    Field(out, "svos", Char(r.svos));
    Flag(out, "password", r.password);
    Field(out, "ping_ms", PingMs(r.svping));
    Flag(out, "favorite", r.favorite);
    if (withPlayers) {
        Key(out, "players");
        out += '[';
        bool first = true;
        if (r.players) {
            for (const auto& player : *r.players) {
                if (!player)
                    continue;
                out += first ? "{" : ",{";
                first = false;
                Field(out, "name", player->name);
                Field(out, "id", player->id);
                Field(out, "frags", player->frags);
                Field(out, "time", player->time);
                CloseObject(out);
            }
        }
        out += "],";
    }
    if (withRules) {
        Key(out, "rules");
        out += '[';
        bool first = true;
        for (const ServerRule* rule : RulesInOrder(r)) {
            out += first ? "{" : ",{";
            first = false;
            Field(out, "key", rule->key);
            Field(out, "value", rule->value);
            CloseObject(out);
        }
        out += "],";
    }
    CloseObject(out);
}

std::string ServersJson(const std::vector<const CServerInfo*>& records, bool withPlayers, bool withRules)
{
    std::string out = "[";
    for (size_t i = 0; i < records.size(); ++i) {
        out += i ? ",\n  " : "\n  ";
        AppendServerJson(out, *records[i], withPlayers, withRules);
    }
    out += records.empty() ? "]\n" : "\n]\n";
    return out;
}
