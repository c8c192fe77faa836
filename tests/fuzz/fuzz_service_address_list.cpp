// Parses arbitrary bytes as a service address list, then shuffles, resolves (with a
// resolver that never touches the network), demotes and walks the cursors.
#include "app/text/Prompt.h"
#include "app/text/ServiceAddressList.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {
class SilentPrompt : public Prompt
{
public:
    int Show(const std::string&, PromptButtons) override { return kPromptFirst; }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static SilentPrompt prompt;
    SetPrompt(&prompt);
    const std::string text(reinterpret_cast<const char*>(data), size);
    ServiceAddressList list;
    list.Parse(text.c_str(), "fuzz.lst");
    int draw = int(size);
    list.Shuffle([&draw] { return draw++; });
    if (!list.PylonList().empty())
        list.PylonList().front().demoted = true;
    list.DemoteFailed();
    list.ResolveAll([](const std::string& name) -> std::optional<uint32_t> {
        return name.size() % 2 ? std::optional<uint32_t>(0x7F000001u) : std::nullopt;
    });
    list.ResetMaster();
    while (list.NextMaster())
        (void)list.MasterHost();
    list.ResetModMaster();
    while (list.NextModMaster())
        (void)list.ModMasterPort();
    return 0;
}
