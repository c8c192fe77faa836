#include "config/player/VoiceInputLevel.h"

#include <algorithm>
#include <cmath>

namespace {

VoiceInputLevel* g_level = nullptr;

} // namespace

bool NullVoiceInputLevel::SetLevel(double level)
{
    if (!m_available || std::isnan(level))
        return false;
    m_level = std::clamp(level, 0.0, 1.0);
    return true;
}

VoiceInputLevel& CurrentVoiceInputLevel()
{
    static NullVoiceInputLevel fallback;
    return g_level ? *g_level : fallback;
}

void SetVoiceInputLevel(VoiceInputLevel* level)
{
    g_level = level;
}
