// Treats arbitrary bytes as a skin bitmap file and reads its size as the button
// strip would.
#include "app/text/SkinBitmap.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (const auto bitmap = ParseSkinBitmap(data, size)) {
        (void)BitmapSize(*bitmap);
        (void)PixelDataOffset(*bitmap);
    }
    return 0;
}
