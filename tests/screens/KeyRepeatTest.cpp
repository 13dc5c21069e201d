#include "screens/KeyRepeat.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Time = KeyRepeat::Time;

// The times, in steps of 10 ms up to `until`, at which a repeat acts on a
// clock the test turns by hand.
std::vector<int> ActionTimes(KeyRepeat& repeat, int from, int until)
{
    std::vector<int> times;
    for (int now = from; now <= until; now += 10)
        if (repeat.Tick(Time(now)))
            times.push_back(now);
    return times;
}

TEST(KeyRepeat, FirstActionAfterTheHoldDelayThenOneEveryPeriod)
{
    KeyRepeat repeat;
    EXPECT_EQ(repeat.NextAction(), std::nullopt);
    repeat.Hold(InstrumentKey::Down, Time(1000));
    EXPECT_EQ(repeat.NextAction(), Time(1500));
    EXPECT_EQ(ActionTimes(repeat, 1000, 1800), (std::vector<int>{1500, 1600, 1700, 1800}));
    EXPECT_EQ(repeat.HeldKey(), InstrumentKey::Down);
    // Held for two seconds: 16 actions (and the click's own on release).
    KeyRepeat twoSeconds;
    twoSeconds.Hold(InstrumentKey::Up, Time(0));
    EXPECT_EQ(ActionTimes(twoSeconds, 0, 2000).size(), 16u);
}

TEST(KeyRepeat, ALateTickActsOnceAndTheNextComesAPeriodAfterIt)
{
    KeyRepeat repeat;
    repeat.Hold(InstrumentKey::Left, Time(0));
    EXPECT_EQ(repeat.Tick(Time(900)), InstrumentKey::Left);
    EXPECT_EQ(repeat.Tick(Time(950)), std::nullopt);
    EXPECT_EQ(repeat.NextAction(), Time(1000));
}

TEST(KeyRepeat, PointerOffTheButtonPausesAndBackOnWaitsTheHoldDelay)
{
    KeyRepeat repeat;
    repeat.Hold(InstrumentKey::Right, Time(0));
    repeat.PointerOn(false, Time(550));
    EXPECT_EQ(repeat.NextAction(), std::nullopt);
    EXPECT_EQ(ActionTimes(repeat, 560, 1500), std::vector<int>{});
    repeat.PointerOn(true, Time(1500));
    EXPECT_EQ(ActionTimes(repeat, 1500, 2100), (std::vector<int>{2000, 2100}));
}

TEST(KeyRepeat, ReleaseStopsEverything)
{
    KeyRepeat repeat;
    repeat.Hold(InstrumentKey::Down, Time(0));
    repeat.Release();
    EXPECT_EQ(repeat.HeldKey(), std::nullopt);
    EXPECT_EQ(ActionTimes(repeat, 0, 2000), std::vector<int>{});
    repeat.PointerOn(true, Time(2000)); // a move after the release changes nothing
    EXPECT_EQ(repeat.NextAction(), std::nullopt);
}

} // namespace
