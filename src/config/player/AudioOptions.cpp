#include "config/player/AudioOptions.h"

#include "app/video/VideoState.h"

#include <cmath>

int SliderPosition(float value, float scale, int minimum, int maximum)
{
    const double scaled = double(value) * double(scale);
    if (std::isnan(scaled))
        return minimum;
    return int(std::lround(std::clamp(scaled, double(minimum), double(maximum))));
}

float SwitchValue(float original, bool on)
{
    return (original != 0) == on ? original : (on ? 1.0f : 0.0f);
}

AudioOptions::AudioOptions(const PlayerConfig& config)
    : m_original(config),
      m_volume(SliderPosition(config.volume, 100, kSliderMin, kSliderMax)),
      m_suitVolume(SliderPosition(config.suitvolume, 100, kSliderMin, kSliderMax)),
      m_hisound(config.hisound != 0),
      m_music(config.bgmvolume != 0),
      m_a3d(config.sA3d != 0),
      m_eax(config.sEax != 0),
      m_savedRestart(Video().restartForced)
{
}

void AudioOptions::Changed()
{
    ForceVideoRestart();
}

void AudioOptions::SetVolume(int position)
{
    m_volume = std::clamp(position, kSliderMin, kSliderMax);
    Changed();
}

void AudioOptions::SetHighQuality(bool on)
{
    m_hisound = on;
    Changed();
}

void AudioOptions::SetSound3d(bool on)
{
    m_a3d = on;
    Changed();
}

void AudioOptions::SetEnvironmental(bool on)
{
    m_eax = on;
    Changed();
}

void AudioOptions::Store(PlayerConfig& config) const
{
    auto level = [](float original, int position) {
        return SliderPosition(original, 100, kSliderMin, kSliderMax) == position && std::isfinite(original) &&
                       original >= 0 && original <= 1
                   ? original
                   : float(position) * 0.01f;
    };
    config.bgmvolume = m_music ? 1.0f : 0.0f;
    config.volume = level(m_original.volume, m_volume);
    config.suitvolume = level(m_original.suitvolume, m_suitVolume);
    config.hisound = SwitchValue(m_original.hisound, m_hisound);
    config.sA3d = SwitchValue(m_original.sA3d, m_a3d);
    config.sEax = SwitchValue(m_original.sEax, m_eax);
}

void AudioOptions::Cancel() const
{
    Video().restartForced = m_savedRestart;
}
