// The OpenGL driver map parser over arbitrary bytes.
#include "app/video/DriverMap.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto choices = ParseDriverMap(std::string_view(reinterpret_cast<const char*>(data), size));
    if (choices.size() > kMaxDriverChoices)
        __builtin_trap();
    for (const DriverChoice& choice : choices)
        if (choice.library.empty() || choice.library.size() > kMaxDriverLibrary ||
            choice.description.size() > kMaxDriverDescription)
            __builtin_trap();
    return 0;
}
