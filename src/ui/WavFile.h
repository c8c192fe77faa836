#pragma once
// Reading the description of a PCM sound file (RIFF/WAVE): its format, where its
// samples lie and, from a cue point and a marked region, its loop.
#include <cstddef>
#include <cstdint>

struct WavDescription
{
    int sampleRate = 0;
    int bytesPerSample = 0; // bits per sample / 8
    int channels = 0;
    int64_t loopStart = 0;   // sample index; -1 when the file has no cue point
    int64_t sampleCount = 0; // data length / bytes per sample, or the loop end
    int64_t dataOffset = 0;  // byte offset of the samples from the start of the file

    bool operator==(const WavDescription&) const = default;
    // Something that can be played: plain PCM with samples.
    bool Playable() const { return sampleRate > 0 && bytesPerSample > 0 && channels > 0 && sampleCount > 0; }
};

// All integers little-endian; chunks are an identifier, a 32-bit length and the data
// padded to an even length. A file that is not plain PCM (format tag other than 1),
// lacks its format or data chunk, or whose loop reaches past its samples yields an
// all-zero description. Chunk lengths that run past the bytes are cut to the bytes.
WavDescription ParseWav(const uint8_t* data, size_t length);
