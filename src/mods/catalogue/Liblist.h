#pragma once
// liblist.gam: the description file of a game directory, key/value token pairs read
// with the quoted tokenizer ("//" comments skipped).
#include "mods/catalogue/CModRecord.h"

#include <optional>
#include <string>

inline constexpr size_t kMaxLiblistKey = 63;
inline constexpr size_t kMaxLiblistValue = 255;
// A liblist.gam larger than this is not a game description.
inline constexpr size_t kMaxLiblistBytes = 1 << 20;
// Nor is one with more settings than this: each setting is a search of the record, and
// a hostile site's file of a hundred thousand keys would stall start-up for minutes.
inline constexpr int kMaxLiblistSettings = 1024;

// The record a liblist.gam text describes (defaults first), or no value when it names
// no "gamedll". "gamedir" is set to directoryName.
std::optional<CModRecord> ParseLiblist(const char* text, const std::string& directoryName);
// Reads the file at path; no value when it cannot be read or is no game.
std::optional<CModRecord> ReadLiblist(const std::string& directoryName, const std::string& path);
