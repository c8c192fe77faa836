#include "platform/SteadyTicks.h"

#include <chrono>

TickReading SteadyTickSource::Read()
{
    const uint64_t ns = uint64_t(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
    return TickReading{uint32_t(ns), uint32_t(ns >> 32)};
}
