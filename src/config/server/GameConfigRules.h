#pragma once
// Reads a game.cfg as a server runs it: one console variable per line, "name value"
// with either part in double quotes; comment lines and lines without a value are
// skipped. The variables become the rules a server reports.
#include <string>
#include <utility>
#include <vector>

inline constexpr size_t kMaxGameConfigRules = 256;
inline constexpr size_t kMaxGameConfigText = 127; // name or value

using GameConfigRule = std::pair<std::string, std::string>;

// At most kMaxGameConfigRules variables, each name and value cut to
// kMaxGameConfigText; a variable set twice keeps its last value.
std::vector<GameConfigRule> ParseGameConfigRules(const char* data, size_t size);
