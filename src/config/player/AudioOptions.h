#pragma once
// The audio page's state: the effects volume and the sound switches of the player
// configuration. Every change forces an engine restart (the engine reads these
// variables only when it starts); cancelling puts the restart flag back.
#include "config/player/PlayerConfig.h"

class AudioOptions
{
public:
    static constexpr int kSliderMin = 0;
    static constexpr int kSliderMax = 100;

    explicit AudioOptions(const PlayerConfig& config);

    int Volume() const { return m_volume; }
    int SuitVolume() const { return m_suitVolume; }
    bool HighQuality() const { return m_hisound; }
    bool Music() const { return m_music; }
    bool Sound3d() const { return m_a3d; }
    bool Environmental() const { return m_eax; }

    void SetVolume(int position);
    void SetHighQuality(bool on);
    void SetSound3d(bool on);
    void SetEnvironmental(bool on);

    // Writes the state into the configuration; values the player did not change keep
    // their exact numbers.
    void Store(PlayerConfig& config) const;
    // Puts the restart flag back to what it was when the page opened.
    void Cancel() const;

private:
    void Changed();

    PlayerConfig m_original;
    int m_volume;
    int m_suitVolume;
    bool m_hisound;
    bool m_music;
    bool m_a3d;
    bool m_eax;
    bool m_savedRestart;
};

// A fraction 0..1 as a position 0..100: rounded, clamped, NaN at the minimum.
int SliderPosition(float value, float scale, int minimum, int maximum);
// A switch keeps its exact number while its state is unchanged, else becomes 1 or 0.
float SwitchValue(float original, bool on);
