#pragma once
// The sound system's voice input level: the capture control of the recording device.
// The running program uses ALSA's mixer; tests and tools use the null level, which
// keeps the value it was given.
class VoiceInputLevel
{
public:
    virtual ~VoiceInputLevel() = default;
    // False when there is no capture control to set.
    virtual bool Available() = 0;
    // The level from 0 to 1 (0 without a control).
    virtual double Level() = 0;
    // Sets the level, clamped to 0..1; false when it could not be set.
    virtual bool SetLevel(double level) = 0;
};

class NullVoiceInputLevel : public VoiceInputLevel
{
public:
    bool Available() override { return m_available; }
    double Level() override { return m_available ? m_level : 0.0; }
    bool SetLevel(double level) override;

    void SetAvailable(bool available) { m_available = available; }

private:
    bool m_available = true;
    double m_level = 0.5;
};

// The level in use; never null. Passing nullptr restores a null level.
VoiceInputLevel& CurrentVoiceInputLevel();
void SetVoiceInputLevel(VoiceInputLevel* level);
