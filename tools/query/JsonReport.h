#pragma once
// kestrel-query's JSON: an array of one object per server, written directly (a
// document object per server costs more than the refresh of the server itself).
#include <string>
#include <vector>

class CServerInfo;

// A JSON string of UTF-8 bytes: invalid sequences become U+FFFD, quotes,
// backslashes and control characters are escaped.
void AppendJsonString(std::string& out, const std::string& text);
// The record under its own field names; "players" and "rules" only when asked, rules
// as a list of {"key", "value"} objects in the order the server sent them.
void AppendServerJson(std::string& out, const CServerInfo& record, bool withPlayers, bool withRules);
std::string ServersJson(const std::vector<const CServerInfo*>& records, bool withPlayers, bool withRules);
