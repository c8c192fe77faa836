#pragma once
// One rule (console variable) a game server reported.
#include <string>

struct ServerRule
{
    std::string key;
    std::string value;
};
