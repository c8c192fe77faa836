// The server record's text form: written into the server list file, read back with
// the tokenizer in quoted mode.
#include "app/text/CToken.h"
#include "app/text/Messages.h"
#include "app/text/TextCase.h"
#include "browser/record/CServerInfo.h"
#include "browser/record/RecordTextWriter.h"
#include "platform/NumberText.h"

#include <algorithm>

namespace {

std::string WithoutQuotes(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '"')
            out.push_back(c);
    return out;
}

// A rule whose key would read back as the end of its block (or of the record) cannot
// be stored in this format; it is left out rather than damage the file.
bool IsStorableRuleKey(const std::string& key)
{
    const std::string stripped = WithoutQuotes(key);
    return !stripped.empty() && stripped != "}" && !SameText(stripped, "server");
}

void ReportExpectedBrace(const std::string& got)
{
    ShowText("Expecting '{', got '" + got + "'");
}

} // namespace

void CServerInfo::Write(std::string& out) const
{
    RecordTextWriter w(out);
    w.Line(1, "server");
    w.Line(1, "{");
    w.Field(2, "address", address);
    w.Field(2, "port", port);
    w.Field(2, "name", name);
    w.Field(2, "map", map);
    w.Field(2, "game", game);
    w.Field(2, "dir", dir);
    w.Field(2, "url", url);
    w.Field(2, "dl", dl);
    w.Field(2, "maxplayers", maxplayers);
    w.Field(2, "currentplayers", currentplayers);
    w.Field(2, "protocol", protocol);
    w.Field(2, "favorite", favorite ? 1 : 0);
    w.Field(2, "ipx", ipx ? 1 : 0);
    w.Field(2, "mod", mod ? 1 : 0);
    w.Field(2, "version", version);
    w.Field(2, "size", size);
    // A zero character is written as an empty value (which reads back as zero): a NUL
    // byte in the file would end the text there and lose every following record.
    w.Field(2, "svtype", std::string_view(&svtype, svtype ? 1 : 0));
    w.Field(2, "svos", std::string_view(&svos, svos ? 1 : 0));
    w.Field(2, "password", password ? 1 : 0);
    w.Field(2, "svside", svside ? 1 : 0);
    w.Field(2, "cldll", cldll ? 1 : 0);
    w.Field(2, "lan", lan ? 1 : 0);
    w.Real(2, "svping", svping);
    w.Field(2, "noresponse", noresponse ? 1 : 0);
    w.Real(2, "packetloss", packetloss);
    w.Field(2, "status", status);
    w.Field(2, "filtered", filtered ? 1 : 0);
    w.Field(2, "fullmax", fullmax);
    w.Field(2, "ksversion", ksversion);
    w.Field(2, "proxy", proxy ? 1 : 0);
    w.Field(2, "proxytarget", proxytarget ? 1 : 0);
    w.Field(2, "proxyaddress", proxyaddress);
    for (int i = 0; i < kPingSamples; ++i) {
        if (pingSamples[size_t(i)] == 0.0)
            continue;
        w.Real(2, "ping" + FormatInt(i, 2), pingSamples[size_t(i)]);
    }
    const bool anyStorableRule =
        std::any_of(rules.begin(), rules.end(), [](const ServerRule& rule) { return IsStorableRuleKey(rule.key); });
    if (anyStorableRule) {
        w.Line(2, "rules");
        w.Line(2, "{");
        for (const ServerRule& rule : rules)
            if (IsStorableRuleKey(rule.key))
                w.Field(3, rule.key, rule.value);
        w.Line(2, "}");
    }
    if (players) {
        w.Word(2, "players", int(players->size()));
        w.Line(2, "{");
        for (size_t i = 0; i < players->size(); ++i)
            if ((*players)[i])
                (*players)[i]->Write(int(i), out);
        w.Line(2, "}");
    }
    w.Line(1, "}");
}

bool CServerInfo::Read(CToken& cursor)
{
    const std::string open = cursor.NextToken();
    if (open.empty())
        return false;
    if (open != "{") {
        ReportExpectedBrace(open);
        return false;
    }
    for (;;) {
        const std::string key = cursor.NextToken();
        if (key.empty())
            return false;
        if (key == "}")
            return true;
        // The format never writes this key: meeting it means this record lost its
        // closing brace and the next record begins.
        if (SameText(key, "server"))
            return false;
        if (SameText(key, "rules")) {
            if (!ReadRulesBlock(cursor))
                return false;
        } else if (SameText(key, "players")) {
            if (!ReadPlayersBlock(cursor))
                return false;
        } else {
            SetField(key, cursor.NextToken());
        }
    }
}

bool CServerInfo::ReadRulesBlock(CToken& cursor)
{
    const char* afterWord = cursor.GetPosition();
    std::forward_list<ServerRule> read;
    bool complete = false;
    const std::string open = cursor.NextToken();
    if (open == "{") {
        for (;;) {
            std::string key = cursor.NextToken();
            if (key.empty())
                break;
            if (key == "}") {
                complete = true;
                break;
            }
            if (SameText(key, "server"))
                return false;
            read.push_front(ServerRule{std::move(key), cursor.NextToken()});
        }
    } else if (!open.empty()) {
        ReportExpectedBrace(open);
    }
    rules = std::move(read);
    // An unfinished block keeps what it read and the record goes on after the word.
    if (!complete)
        cursor.SetPosition(afterWord);
    return true;
}

bool CServerInfo::ReadPlayersBlock(CToken& cursor)
{
    const std::string count = cursor.NextToken();
    if (count.empty())
        return false;
    const int slots = ParseInt(count);
    if (slots < 0 || slots > kMaxPlayerSlots)
        return false;
    fullmax = slots;
    AllocatePlayerSlots();
    if (std::string(cursor.NextToken()) != "{")
        return false;
    for (;;) {
        const std::string word = cursor.NextToken();
        if (word == "}")
            return true;
        if (!SameText(word, "player"))
            return false;
        const std::string indexText = cursor.NextToken();
        if (indexText.empty())
            return false;
        const int index = ParseInt(indexText);
        if (index < 0 || index >= fullmax)
            return false;
        auto player = std::make_unique<CPlayerInfo>("unknown");
        if (!player->Read(cursor))
            return false;
        (*players)[size_t(index)] = std::move(player);
    }
}
