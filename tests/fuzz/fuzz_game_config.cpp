// Reads arbitrary bytes as a game.cfg the way a dedicated server turns it into rules,
// and checks the bounds every rule keeps.
#include "config/server/GameConfigRules.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<GameConfigRule> rules = ParseGameConfigRules(reinterpret_cast<const char*>(data), size);
    if (rules.size() > kMaxGameConfigRules)
        std::abort();
    for (const GameConfigRule& rule : rules)
        if (rule.first.empty() || rule.first.size() > kMaxGameConfigText || rule.second.size() > kMaxGameConfigText)
            std::abort();
    return 0;
}
