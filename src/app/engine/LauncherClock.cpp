#include "app/engine/LauncherClock.h"

#include "app/text/FatalError.h"

#include <mutex>

LauncherClock::LauncherClock(TickSource& source) : m_source(source)
{
    uint64_t rate = m_source.Frequency();
    while (rate > kMaxTickRate) {
        rate >>= 1;
        ++m_shift;
    }
    m_rate = rate;
    if (m_rate)
        m_tickLength = 1.0 / double(m_rate);
}

uint32_t LauncherClock::ReadShifted()
{
    const TickReading reading = m_source.Read();
    const uint64_t ticks = (uint64_t(reading.high) << 32) | reading.low;
    return uint32_t(ticks >> m_shift);
}

double LauncherClock::Seconds()
{
    const uint32_t now = ReadShifted();
    if (!m_started) {
        m_started = true;
        m_last = now;
        return m_time;
    }

    // A small step backwards is jitter between counters and adds nothing; anything
    // else, a wrap of the 32-bit count included, adds the difference modulo 2^32.
    if (!(now <= m_last && m_last - now <= kBackwardTolerance))
        m_time += double(uint32_t(now - m_last)) * m_tickLength;
    m_last = now;

    // A counter that stops must not freeze every time-out of the launcher.
    if (m_time == m_lastTime) {
        if (++m_sameCount > kStuckReadings) {
            m_time += 1.0;
            m_sameCount = 0;
        }
    } else {
        m_sameCount = 0;
    }
    m_lastTime = m_time;
    return m_time;
}

double LauncherSeconds()
{
    static SteadyTickSource source;
    static LauncherClock clock(source);
    // The CD audio worker reads the clock as well.
    static std::mutex lock;
    if (!clock.Valid())
        FatalError("No hardware timer available");
    std::lock_guard<std::mutex> hold(lock);
    return clock.Seconds();
}
