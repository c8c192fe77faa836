// Parses arbitrary bytes as a description script (both kinds), then writes the
// layout and settings texts and reads the layout back.
#include "app/text/Prompt.h"
#include "config/scripts/CInfoDescription.h"
#include "config/scripts/CServerDescription.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {
class SilentPrompt : public Prompt
{
public:
    int Show(const std::string&, PromptButtons) override { return kPromptFirst; }
};

void Exercise(CDescription& description, const std::string& text)
{
    description.ParseText(text.c_str());
    std::tm stamp{};
    std::string settings;
    description.WriteSettings(settings, stamp);
    for (CDescriptionOption& option : description.Options()) {
        if (option.type == OptionType::List)
            option.SetCurrentListEntry(int(option.list.size() % 3) - 1);
    }
    std::string layout;
    description.WriteLayout(layout, stamp);
    description.ApplyToConfig([](const std::string&, const std::string&, bool) {});
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static SilentPrompt prompt;
    SetPrompt(&prompt);
    const std::string text(reinterpret_cast<const char*>(data), size);
    CServerDescription server;
    Exercise(server, text);
    CInfoDescription info;
    Exercise(info, text);
    return 0;
}
