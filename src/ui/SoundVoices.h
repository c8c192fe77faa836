#pragma once
// The bookkeeping of the system sound player, apart from the audio device so that it
// can be tested without one. Each sound plays on a voice of its own, so a sound that
// starts while another is still playing is heard as well and neither is cut short.
// A voice is stopped only once its audio has been played out: an audio sink reports
// idle as soon as it has read the last byte, while the device may still hold most of
// the sound, and stopping the sink then throws that away. Times are milliseconds on
// one monotonic clock.
#include <array>
#include <cstdint>

class SoundVoices
{
public:
    // Sounds heard at once; a sound that finds every voice busy is skipped.
    static constexpr int kMaxVoices = 8;
    // Allowance for the device's own latency beyond the sound's duration.
    static constexpr int64_t kDrainMarginMs = 250;
    // A device that never reports the end does not hold a voice for ever: past its
    // sound's end by this much, the voice is stopped whatever the device says.
    static constexpr int64_t kGiveUpMs = 5000;

    // A sound of durationMs that starts now: its voice, or -1 when every voice is busy.
    int Start(int64_t durationMs, int64_t nowMs);
    // The voice's sink went idle. allRead: it has read every byte of the sound (else it
    // only ran short of data and goes on by itself). Returns the time at which to stop
    // the voice (now or later), or -1 to leave it playing.
    int64_t StopTimeWhenIdle(int voice, bool allRead, int64_t nowMs) const;
    // When to stop the voice if its sink never reports the end.
    int64_t GiveUpTime(int voice) const;
    // The voice was stopped (or failed) and is free again.
    void Finish(int voice);

    bool Busy(int voice) const;
    int Playing() const;

private:
    struct Voice
    {
        bool busy = false;
        int64_t endMs = 0; // when the last sample should have been heard
    };
    std::array<Voice, kMaxVoices> m_voices{};
};
