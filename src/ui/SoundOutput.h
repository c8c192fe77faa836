#pragma once
// Where menu sounds go. The running program plays them through the audio device;
// tests and tools use the silent output, which only records what it was given.
#include "ui/WavFile.h"

#include <string>
#include <vector>

class SoundOutput
{
public:
    virtual ~SoundOutput() = default;
    // Plays the samples of a parsed file once; false when the sound is not played. The
    // system player plays every sound whole, beside any still playing; only an output
    // with a single playback slot (the engine's wave output) skips a sound while busy.
    virtual bool Play(const std::vector<uint8_t>& file, const WavDescription& wav) = 0;
};

class NullSoundOutput : public SoundOutput
{
public:
    bool Play(const std::vector<uint8_t>& file, const WavDescription& wav) override;

    struct Played
    {
        size_t fileSize = 0;
        WavDescription wav;
    };
    const std::vector<Played>& History() const { return m_history; }
    // While busy, every sound is skipped, as a single-slot output does while one plays.
    void SetBusy(bool busy) { m_busy = busy; }

private:
    std::vector<Played> m_history;
    bool m_busy = false;
};

// The output in use; never null. Passing nullptr restores a silent output.
SoundOutput& CurrentSoundOutput();
void SetSoundOutput(SoundOutput* output);
