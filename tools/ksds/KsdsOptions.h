#pragma once
// The stand-in dedicated server's command line: "+name value" pairs set console
// variables ("+sv_lan", "+maxplayers", "+sv_password", "+hostname", "+map", "+ip"),
// "-game DIR" picks the game directory and "-port N" the first of the ten ports tried.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct KsdsOptions
{
    static constexpr uint16_t kFirstPort = 27015;
    static constexpr int kPortCount = 10;
    static constexpr const char* kDefaultGame = "vrel";

    std::string gameDirectory = kDefaultGame;
    uint16_t firstPort = kFirstPort;
    // Variable names in lower case.
    std::map<std::string, std::string> variables;

    std::string Variable(const std::string& name, const std::string& fallback = {}) const;
};

// The options, or no value with the reason in error.
std::optional<KsdsOptions> ParseKsdsOptions(const std::vector<std::string>& arguments, std::string& error);
