#pragma once
// The length of a music track file, read from its headers: a RIFF/WAVE file (the data
// chunk's length over the format's bytes per second) or an Ogg file carrying Vorbis
// or Opus (the last page's granule position over the sample rate). Only the start and
// the end of a file are needed, so a long track is never read whole.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

struct TrackBytes
{
    const uint8_t* head = nullptr; // the file's first bytes
    size_t headSize = 0;
    const uint8_t* tail = nullptr; // its last bytes (may overlap the head)
    size_t tailSize = 0;
    uint64_t fileSize = 0;
};

// How much of each end the reader looks at.
inline constexpr size_t kTrackHeaderBytes = 65536;

// Seconds of sound, or no value for anything that is not a well-formed WAVE or Ogg
// Vorbis/Opus file.
std::optional<double> ParseTrackLength(const TrackBytes& bytes);
// Reads both ends of the file and parses them.
std::optional<double> ReadTrackLength(const std::string& path);
