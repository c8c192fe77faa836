#pragma once
// The launcher clock: seconds since the first reading, built on a 32-bit tick count
// that may wrap around. Used for every time-out while no engine is loaded, and as the
// engine table's default clock entry.
#include "platform/SteadyTicks.h"

#include <cstdint>

class LauncherClock
{
public:
    static constexpr uint64_t kMaxTickRate = 2000000;         // ticks per second after shifting
    static constexpr uint32_t kBackwardTolerance = 268435455; // smaller backward steps add nothing
    static constexpr int kStuckReadings = 100000;             // unchanged readings before 1 s is added

    // The source must outlive the clock.
    explicit LauncherClock(TickSource& source);

    // False when the source has no usable frequency.
    bool Valid() const { return m_rate != 0; }
    double Seconds();

private:
    uint32_t ReadShifted();

    TickSource& m_source;
    int m_shift = 0;
    uint64_t m_rate = 0;
    double m_tickLength = 0.0;
    bool m_started = false;
    uint32_t m_last = 0;
    double m_time = 0.0;
    double m_lastTime = 0.0;
    int m_sameCount = 0;
};

// The process-wide clock over the steady clock. Without a usable tick source the
// launcher shows "No hardware timer available" and ends.
double LauncherSeconds();
