#include "config/player/AlsaVoiceInputLevel.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>

namespace {

// ALSA reports a missing card on standard error; the launcher only disables the slider.
void QuietAlsaErrors(const char*, int, const char*, int, const char*, ...)
{
}

const char* const kPreferredControls[] = {"Capture", "Mic"};

class Mixer
{
public:
    explicit Mixer(const std::string& device)
    {
        snd_lib_error_set_handler(&QuietAlsaErrors);
        if (snd_mixer_open(&m_mixer, 0) < 0) {
            m_mixer = nullptr;
            return;
        }
        if (snd_mixer_attach(m_mixer, device.c_str()) < 0 || snd_mixer_selem_register(m_mixer, nullptr, nullptr) < 0 ||
            snd_mixer_load(m_mixer) < 0) {
            snd_mixer_close(m_mixer);
            m_mixer = nullptr;
        }
    }
    ~Mixer()
    {
        if (m_mixer)
            snd_mixer_close(m_mixer);
    }
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    // The capture control, or nullptr.
    snd_mixer_elem_t* CaptureControl() const
    {
        if (!m_mixer)
            return nullptr;
        snd_mixer_elem_t* first = nullptr;
        for (snd_mixer_elem_t* e = snd_mixer_first_elem(m_mixer); e; e = snd_mixer_elem_next(e)) {
            if (!snd_mixer_selem_is_active(e) || !snd_mixer_selem_has_capture_volume(e))
                continue;
            for (const char* name : kPreferredControls)
                if (std::string(snd_mixer_selem_get_name(e)) == name)
                    return e;
            if (!first)
                first = e;
        }
        return first;
    }

private:
    snd_mixer_t* m_mixer = nullptr;
};

} // namespace

AlsaVoiceInputLevel::AlsaVoiceInputLevel(std::string device) : m_device(std::move(device))
{
}

bool AlsaVoiceInputLevel::Available()
{
    return Mixer(m_device).CaptureControl() != nullptr;
}

double AlsaVoiceInputLevel::Level()
{
    Mixer mixer(m_device);
    snd_mixer_elem_t* control = mixer.CaptureControl();
    long low = 0;
    long high = 0;
    long value = 0;
    if (!control || snd_mixer_selem_get_capture_volume_range(control, &low, &high) < 0 || high <= low)
        return 0.0;
    // The first channel the control has speaks for all.
    snd_mixer_selem_channel_id_t channel = SND_MIXER_SCHN_MONO;
    for (int c = 0; c <= int(SND_MIXER_SCHN_LAST); ++c) {
        if (snd_mixer_selem_has_capture_channel(control, snd_mixer_selem_channel_id_t(c))) {
            channel = snd_mixer_selem_channel_id_t(c);
            break;
        }
    }
    if (snd_mixer_selem_get_capture_volume(control, channel, &value) < 0)
        return 0.0;
    return std::clamp(double(value - low) / double(high - low), 0.0, 1.0);
}

bool AlsaVoiceInputLevel::SetLevel(double level)
{
    if (std::isnan(level))
        return false;
    Mixer mixer(m_device);
    snd_mixer_elem_t* control = mixer.CaptureControl();
    long low = 0;
    long high = 0;
    if (!control || snd_mixer_selem_get_capture_volume_range(control, &low, &high) < 0 || high <= low)
        return false;
    const long value = low + std::lround(std::clamp(level, 0.0, 1.0) * double(high - low));
    return snd_mixer_selem_set_capture_volume_all(control, value) >= 0;
}
