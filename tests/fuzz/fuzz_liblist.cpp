// Feeds arbitrary text to the liblist.gam reader; keys and values stay within their
// limits.
#include "mods/catalogue/Liblist.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto record = ParseLiblist(text.c_str(), "FUZZ");
    if (!record)
        return 0;
    if (record->GetKeyText("gamedir") != "FUZZ" || record->GetKeyText("installed") != "1")
        std::abort();
    for (const auto& [key, value] : record->Pairs())
        if (key.size() > kMaxLiblistKey || value.size() > kMaxLiblistValue)
            std::abort();
    return 0;
}
