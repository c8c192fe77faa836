#include "ui/SoundVoices.h"

#include <algorithm>

int SoundVoices::Start(int64_t durationMs, int64_t nowMs)
{
    for (int i = 0; i < kMaxVoices; ++i) {
        Voice& voice = m_voices[size_t(i)];
        if (!voice.busy) {
            voice.busy = true;
            voice.endMs = nowMs + std::max<int64_t>(durationMs, 0);
            return i;
        }
    }
    return -1;
}

int64_t SoundVoices::StopTimeWhenIdle(int voice, bool allRead, int64_t nowMs) const
{
    if (!Busy(voice) || !allRead)
        return -1;
    return std::max(nowMs, m_voices[size_t(voice)].endMs + kDrainMarginMs);
}

int64_t SoundVoices::GiveUpTime(int voice) const
{
    if (!Busy(voice))
        return -1;
    return m_voices[size_t(voice)].endMs + kGiveUpMs;
}

void SoundVoices::Finish(int voice)
{
    if (voice >= 0 && voice < kMaxVoices)
        m_voices[size_t(voice)] = Voice{};
}

bool SoundVoices::Busy(int voice) const
{
    return voice >= 0 && voice < kMaxVoices && m_voices[size_t(voice)].busy;
}

int SoundVoices::Playing() const
{
    return int(std::count_if(m_voices.begin(), m_voices.end(), [](const Voice& v) { return v.busy; }));
}
