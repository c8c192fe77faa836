#include "app/engine/LauncherClock.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class FakeTicks : public TickSource
{
public:
    explicit FakeTicks(uint64_t frequency) : m_frequency(frequency) {}
    TickReading Read() override { return TickReading{uint32_t(now), uint32_t(now >> 32)}; }
    uint64_t Frequency() override { return m_frequency; }
    uint64_t now = 0;

private:
    uint64_t m_frequency;
};

} // namespace

TEST(LauncherClock, FirstReadingOnlyStartsTheClock)
{
    FakeTicks ticks(1000000);
    ticks.now = 123456789;
    LauncherClock clock(ticks);
    EXPECT_DOUBLE_EQ(clock.Seconds(), 0.0);
    ticks.now += 500000;
    EXPECT_DOUBLE_EQ(clock.Seconds(), 0.5);
}

TEST(LauncherClock, FastCounterIsShiftedToAtMostTwoMillionTicks)
{
    // 1 GHz shifts by 9 bits to 1,953,125 ticks per second.
    FakeTicks ticks(1000000000);
    LauncherClock clock(ticks);
    clock.Seconds();
    ticks.now += 3000000000ull;
    EXPECT_NEAR(clock.Seconds(), 3.0, 1e-6);
}

TEST(LauncherClock, HighWordTakesPartInTheShiftedReading)
{
    // At 8 MHz the shift is 2: the low 32 bits of the reading come partly from the
    // high word, so crossing 2^32 raw ticks is seamless.
    FakeTicks ticks(8000000);
    ticks.now = (uint64_t(1) << 32) - 4000000;
    LauncherClock clock(ticks);
    clock.Seconds();
    ticks.now += 8000000;
    EXPECT_NEAR(clock.Seconds(), 1.0, 1e-9);
}

TEST(LauncherClock, WrapOfTheThirtyTwoBitCountAddsTheModularDifference)
{
    FakeTicks ticks(1000000);
    ticks.now = 0xFFFFFF00u;
    LauncherClock clock(ticks);
    clock.Seconds();
    ticks.now = (uint64_t(1) << 32) + 0x100; // the low word wrapped to 0x100
    EXPECT_NEAR(clock.Seconds(), 0x200 / 1e6, 1e-12);
}

TEST(LauncherClock, SmallBackwardStepAddsNothingLargeOneCountsAsWrap)
{
    FakeTicks ticks(1000000);
    ticks.now = 2000000;
    LauncherClock clock(ticks);
    clock.Seconds();
    ticks.now = 1000000; // one second back: jitter, nothing added
    EXPECT_DOUBLE_EQ(clock.Seconds(), 0.0);
    ticks.now = 1500000; // counts from the new last reading
    EXPECT_DOUBLE_EQ(clock.Seconds(), 0.5);

    // Back by 2^28 ticks exactly: beyond the tolerance, so the modular difference
    // 2^32 - 2^28 ticks is added.
    const uint64_t before = ticks.now + (uint64_t(1) << 28);
    ticks.now = before;
    const double atBefore = clock.Seconds();
    ticks.now = before - (uint64_t(1) << 28);
    EXPECT_NEAR(clock.Seconds() - atBefore, double((uint64_t(1) << 32) - (uint64_t(1) << 28)) / 1e6, 1e-6);
}

TEST(LauncherClock, StuckCounterAddsOneSecondAfterMoreThanHundredThousandReadings)
{
    FakeTicks ticks(1000000);
    ticks.now = 42;
    LauncherClock clock(ticks);
    clock.Seconds();
    for (int i = 0; i < LauncherClock::kStuckReadings; ++i)
        ASSERT_DOUBLE_EQ(clock.Seconds(), 0.0) << "reading " << i;
    EXPECT_DOUBLE_EQ(clock.Seconds(), 1.0);
    // The count starts again after the added second.
    for (int i = 0; i < LauncherClock::kStuckReadings; ++i)
        ASSERT_DOUBLE_EQ(clock.Seconds(), 1.0);
    EXPECT_DOUBLE_EQ(clock.Seconds(), 2.0);
}

TEST(LauncherClock, MovingCounterResetsTheStuckCount)
{
    FakeTicks ticks(1000000);
    LauncherClock clock(ticks);
    clock.Seconds();
    for (int i = 0; i < LauncherClock::kStuckReadings; ++i)
        clock.Seconds();
    ticks.now += 1; // time moves once: the count starts over
    const double moved = clock.Seconds();
    for (int i = 0; i < LauncherClock::kStuckReadings; ++i)
        ASSERT_DOUBLE_EQ(clock.Seconds(), moved);
    EXPECT_DOUBLE_EQ(clock.Seconds(), moved + 1.0);
}

TEST(LauncherClock, SourceWithoutFrequencyIsInvalid)
{
    FakeTicks ticks(0);
    LauncherClock clock(ticks);
    EXPECT_FALSE(clock.Valid());
    FakeTicks good(3579545);
    EXPECT_TRUE(LauncherClock(good).Valid());
}
