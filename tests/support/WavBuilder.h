#pragma once
// Builds sound files chunk by chunk for the WAV parser and the menu sound tests.
#include <QByteArray>

#include <cstdint>
#include <string>
#include <vector>

class WavBuilder
{
public:
    WavBuilder& Chunk(const std::string& id, const std::vector<uint8_t>& data);
    WavBuilder& Format(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits);
    // One cue point at the sample offset.
    WavBuilder& Cue(uint32_t sampleOffset);
    // A LIST/adtl labelled-text entry marking a region of that many samples.
    WavBuilder& Mark(uint32_t length, const char* purpose = "mark");
    WavBuilder& Data(size_t bytes);

    std::vector<uint8_t> File(const char* form = "WAVE") const;

private:
    std::vector<uint8_t> m_body;
};

// A 16-bit mono file of silence with that format tag, rate and number of samples.
QByteArray PcmWave(uint16_t tag, uint32_t rate, int samples);
