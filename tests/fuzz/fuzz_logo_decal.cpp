// Parses arbitrary bytes as a spray logo file and, when it is accepted, builds the
// decal file from it with the first byte choosing the colour.
#include "config/player/DecalWad.h"
#include "config/player/LogoBitmap.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    LogoRefusal why = LogoRefusal::None;
    std::optional<LogoBitmap> logo = ParseLogo(data, size, &why);
    if (!logo)
        return 0;
    const auto& colours = LogoColorTable();
    const LogoColour colour = colours[size_t(size ? data[0] : 0) % colours.size()];
    TintLogoPreview(*logo, colour);
    std::string bytes;
    if (BuildDecalWad(*logo, colour, bytes) == 0 && bytes.size() < 12)
        __builtin_trap();
    return 0;
}
