#include "config/server/GameConfigRules.h"

#include "app/text/CToken.h"

#include <algorithm>
#include <strings.h>

namespace {

std::string Cut(const char* text)
{
    std::string value(text);
    if (value.size() > kMaxGameConfigText)
        value.resize(kMaxGameConfigText);
    return value;
}

bool IsVariableName(const std::string& name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u > 0x20 && u != 0x7F && c != '"' && c != ';';
    });
}

} // namespace

std::vector<GameConfigRule> ParseGameConfigRules(const char* data, size_t size)
{
    std::vector<GameConfigRule> rules;
    size_t start = 0;
    while (start < size) {
        size_t end = start;
        while (end < size && data[end] != '\n')
            ++end;
        // CToken reads a NUL-terminated text; a NUL inside the line ends it early.
        const std::string line(data + start, end - start);
        start = end + 1;
        CToken token(line.c_str());
        token.SetQuoted(true);
        token.SetSkipComments(true);
        const std::string name = Cut(token.NextToken());
        if (!IsVariableName(name))
            continue;
        token.NextToken();
        if (token.Empty())
            continue;
        const std::string value = Cut(token.Token());
        const auto known = std::find_if(rules.begin(), rules.end(), [&](const GameConfigRule& rule) {
            return strcasecmp(rule.first.c_str(), name.c_str()) == 0;
        });
        if (known != rules.end())
            known->second = value;
        else if (rules.size() < kMaxGameConfigRules)
            rules.emplace_back(name, value);
    }
    return rules;
}
