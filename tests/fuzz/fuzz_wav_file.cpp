// The WAV description parser over arbitrary bytes: no reads outside the buffer, and a
// description that never points past the bytes it came from.
#include "ui/WavFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const WavDescription wav = ParseWav(data, size);
    if (wav.Playable()) {
        const int64_t end = wav.dataOffset + wav.sampleCount * wav.bytesPerSample;
        if (wav.dataOffset < 0 || end > int64_t(size) || wav.loopStart > wav.sampleCount)
            std::abort();
    }
    return 0;
}
