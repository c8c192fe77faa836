#pragma once
// The high-resolution tick counter the launcher clock is built on: a steady clock
// read in nanoseconds. The clock keeps only the low 32 bits of a shifted reading, so
// wrap-around is part of normal operation.
#include <cstdint>

struct TickReading
{
    uint32_t low = 0;
    uint32_t high = 0;
};

class TickSource
{
public:
    virtual ~TickSource() = default;
    virtual TickReading Read() = 0;
    // Ticks per second.
    virtual uint64_t Frequency() = 0;
};

class SteadyTickSource : public TickSource
{
public:
    TickReading Read() override;
    uint64_t Frequency() override { return 1000000000ull; }
};
