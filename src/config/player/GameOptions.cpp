#include "config/player/GameOptions.h"

#include "config/player/AudioOptions.h"

#include <algorithm>
#include <cmath>

GameOptions::GameOptions(const PlayerConfig& config)
    : mouseLook(config.mlook != 0),
      reverseMouse(config.mPitch < 0),
      mouseFilter(config.mFilter != 0),
      lookStrafe(config.lookstrafe != 0),
      lookSpring(config.lookspring != 0),
      joystick(config.joystick != 0),
      joystickLook(config.jlook != 0),
      crosshair(config.crosshair != 0),
      console(config.console != 0),
      autoAim(config.svAim != 0),
      m_original(config),
      m_position(SliderPosition(config.sensitivity, 10, kSensitivityMin, kSensitivityMax))
{
}

void GameOptions::SetSensitivityPosition(int position)
{
    m_position = std::clamp(position, kSensitivityMin, kSensitivityMax);
}

void GameOptions::Store(PlayerConfig& config) const
{
    // The pitch keeps its size; reverse mouse decides its sign (zero has none).
    float pitch = std::isfinite(m_original.mPitch) ? m_original.mPitch : PlayerConfig().mPitch;
    if ((reverseMouse && pitch > 0) || (!reverseMouse && pitch < 0))
        pitch = -pitch;
    config.mPitch = pitch;
    config.lookstrafe = SwitchValue(m_original.lookstrafe, lookStrafe);
    config.lookspring = SwitchValue(m_original.lookspring, lookSpring);
    config.crosshair = SwitchValue(m_original.crosshair, crosshair);
    config.joystick = SwitchValue(m_original.joystick, joystick);
    config.mFilter = SwitchValue(m_original.mFilter, mouseFilter);
    config.mlook = mouseLook ? 1.0f : 0.0f;
    config.svAim = SwitchValue(m_original.svAim, autoAim);
    config.jlook = joystickLook ? 1.0f : 0.0f;
    config.console = SwitchValue(m_original.console, console);
    const bool untouched = SliderPosition(m_original.sensitivity, 10, kSensitivityMin, kSensitivityMax) == m_position &&
                           std::isfinite(m_original.sensitivity) && m_original.sensitivity >= 0.1f &&
                           m_original.sensitivity <= 20.0f;
    config.sensitivity = untouched ? m_original.sensitivity : float(m_position) * 0.1f;
}
