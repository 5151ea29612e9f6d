#include <gtest/gtest.h>

#include <memory>

#include "framework/ui/Timer.h"
#include "tests/support/WinInput.h"

namespace {

TEST(Timer, IsEnabledWithAOneSecondIntervalByDefault) {
    TTimer timer(nullptr);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    EXPECT_TRUE(timer.Armed());
}

TEST(Timer, FiresAboutEveryIntervalWhileEnabled) {
    TTimer timer(nullptr);
    timer.SetInterval(50);
    std::vector<DWORD> times;
    timer.OnTimer = [&](TObject* sender) {
        EXPECT_EQ(sender, &timer);
        times.push_back(GetTickCount());
    };
    PumpMessages(560);
    ASSERT_GE(times.size(), 6u);
    EXPECT_LE(times.size(), 12u);
    // No two ticks much closer than the interval.
    for (size_t i = 1; i < times.size(); ++i)
        EXPECT_GE(times[i] - times[i - 1], 30u);

    timer.SetEnabled(false);
    EXPECT_FALSE(timer.Armed());
    const size_t stopped = times.size();
    PumpMessages(200);
    EXPECT_EQ(times.size(), stopped);

    timer.SetEnabled(true);
    PumpMessages(200);
    EXPECT_GT(times.size(), stopped);
}

TEST(Timer, IntervalChangesRearmAndZeroStops) {
    TTimer timer(nullptr);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) { ++ticks; };
    PumpMessages(150); // interval 1000: nothing yet
    EXPECT_EQ(ticks, 0);
    timer.SetInterval(30);
    PumpMessages(200);
    EXPECT_GE(ticks, 3);
    timer.SetInterval(0);
    EXPECT_FALSE(timer.Armed());
    const int stopped = ticks;
    PumpMessages(150);
    EXPECT_EQ(ticks, stopped);
}

TEST(Timer, ADestroyedTimerFiresNoMore) {
    int ticks = 0;
    auto timer = std::make_unique<TTimer>(nullptr);
    timer->SetInterval(10);
    timer->OnTimer = [&](TObject*) { ++ticks; };
    PumpMessages(60);
    EXPECT_GT(ticks, 0);
    timer.reset();
    const int before = ticks;
    PumpMessages(100);
    EXPECT_EQ(ticks, before);
}

TEST(Timer, AHandlerMayDestroyItsOwnTimer) {
    auto* timer = new TTimer(nullptr);
    timer->SetInterval(10);
    int ticks = 0;
    timer->OnTimer = [&](TObject* sender) {
        ++ticks;
        delete static_cast<TTimer*>(sender);
    };
    PumpMessages(100);
    EXPECT_EQ(ticks, 1);
}

} // namespace
