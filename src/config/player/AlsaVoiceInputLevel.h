#pragma once
// The voice input level over ALSA's mixer interface: the capture volume of the default
// card's first control that has one ("Capture" first, then "Mic"). ALSA's default
// device also reaches PulseAudio and PipeWire through their ALSA plugins. The mixer is
// opened for each call, so a device plugged in later is found.
#include "config/player/VoiceInputLevel.h"

#include <string>

class AlsaVoiceInputLevel : public VoiceInputLevel
{
public:
    explicit AlsaVoiceInputLevel(std::string device = "default");

    bool Available() override;
    double Level() override;
    bool SetLevel(double level) override;

private:
    std::string m_device;
};
