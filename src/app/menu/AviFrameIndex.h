#pragma once
// Finds the frames of a RIFF "AVI " file: the frame time and size from the main
// header, and the video chunks of the "movi" list ("##dc" or "##db", also inside
// "rec " lists). The launcher's logo animation is a motion-JPEG file, so a frame is
// one picture its reader can decode on its own.
#include <cstddef>
#include <cstdint>
#include <vector>

struct AviFrame
{
    size_t offset = 0; // of the chunk's data in the file
    size_t size = 0;
};

struct AviFrameIndex
{
    uint32_t microsecondsPerFrame = 0; // 0 when the header does not say
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<AviFrame> frames;
};

inline constexpr size_t kMaxAviFrames = 10000;
inline constexpr int kMaxAviListDepth = 4;

// False when the bytes are not a RIFF "AVI " file or hold no frame. A list running
// past the end of the data is read up to the end; any other chunk that does so ends
// the walk. Nothing outside [data, data + size) is read.
bool ParseAviFrames(const uint8_t* data, size_t size, AviFrameIndex& index);
