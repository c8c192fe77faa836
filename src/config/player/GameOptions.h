#pragma once
// The game options page's state: mouse, joystick and view switches and the mouse
// sensitivity of the player configuration.
#include "config/player/PlayerConfig.h"

class GameOptions
{
public:
    static constexpr int kSensitivityMin = 1;
    static constexpr int kSensitivityMax = 200;

    explicit GameOptions(const PlayerConfig& config);

    bool mouseLook;
    bool reverseMouse;
    bool mouseFilter;
    bool lookStrafe;
    bool lookSpring;
    bool joystick;
    bool joystickLook;
    bool crosshair;
    bool console;
    bool autoAim;

    // Look-strafe and look-spring can change only while mouse look is on.
    bool LookOptionsEnabled() const { return mouseLook; }

    int SensitivityPosition() const { return m_position; }
    // A slider position (clamped to its range).
    void SetSensitivityPosition(int position);

    // Writes the state into the configuration; what the player did not change keeps
    // its exact number.
    void Store(PlayerConfig& config) const;

private:
    PlayerConfig m_original;
    int m_position;
};
