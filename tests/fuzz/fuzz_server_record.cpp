// Arbitrary text as a server list file: whatever loads is written again and must load
// back whole. Loading reverses the list and each record's rules, so two rounds give
// back the text written first.
#include "app/text/Prompt.h"
#include "browser/record/FavoriteServersFile.h"

#include <string>

namespace {
class SilentPrompt : public Prompt
{
public:
    int Show(const std::string&, PromptButtons) override { return kPromptSecond; }
};

std::vector<const CServerInfo*> View(const std::vector<std::unique_ptr<CServerInfo>>& list)
{
    std::vector<const CServerInfo*> v;
    for (const auto& r : list)
        v.push_back(r.get());
    return v;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static SilentPrompt prompt;
    SetPrompt(&prompt);
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto first = FavoriteServersFile::Parse(text.c_str());
    for (const auto& r : first.servers)
        if (r->players && r->players->size() > size_t(CServerInfo::kMaxPlayerSlots))
            __builtin_trap();
    if (first.servers.empty())
        return 0;
    const std::string written = FavoriteServersFile::Format(View(first.servers));
    const auto second = FavoriteServersFile::Parse(written.c_str());
    if (second.damagedRecords != 0 || second.servers.size() != first.servers.size())
        __builtin_trap();
    const auto third = FavoriteServersFile::Parse(FavoriteServersFile::Format(View(second.servers)).c_str());
    if (third.damagedRecords != 0 || FavoriteServersFile::Format(View(third.servers)) != written)
        __builtin_trap();
    return 0;
}
