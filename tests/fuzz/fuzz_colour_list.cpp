// Parses arbitrary bytes as a colour list and looks up a few names.
#include "app/text/ColourList.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    ColourList list;
    list.Parse(text.c_str());
    (void)list.Get("PROMPT_BG_COLOR");
    (void)list.Get("HELP_COLOR");
    (void)list.Get(text.substr(0, 40));
    return 0;
}
