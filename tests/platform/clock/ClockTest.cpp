#include <gtest/gtest.h>

#include <vector>

#include "platform/clock/Clock.h"

namespace {

TEST(ManualClock, RunsDueTicksInTimeOrderAndTellsListenersFirst) {
    ui::ManualClock clock;
    std::vector<std::string> log;
    clock.addTimeListener([&](std::int64_t now) { log.push_back("t" + std::to_string(now)); });
    clock.startTimer(300, [&] { log.push_back("a"); });
    clock.startTimer(200, [&] { log.push_back("b"); });
    clock.advance(600);
    EXPECT_EQ(log,
              (std::vector<std::string>{"t200", "b", "t300", "a", "t400", "b", "t600", "a", "b"}));
    EXPECT_EQ(clock.nowMs(), 600);
}

TEST(ManualClock, TickMayStopItsOwnTimer) {
    ui::ManualClock clock;
    int count = 0;
    int id = 0;
    id = clock.startTimer(10, [&] {
        if (++count == 3) clock.stopTimer(id);
    });
    clock.advance(1000);
    EXPECT_EQ(count, 3);
}

TEST(ManualClock, ATimersTicksDoNotNestButOtherTimersGoOn) {
    ui::ManualClock clock;
    int outer = 0;
    int inner = 0;
    clock.startTimer(10, [&] {
        ++outer;
        clock.advance(50);
    });
    clock.startTimer(5, [&] { ++inner; });
    clock.advance(10);
    // While the 10 ms tick ran (as in a message box it shows), its own ticks
    // that fell due were dropped and the 5 ms timer went on ticking.
    EXPECT_EQ(outer, 1);
    EXPECT_EQ(inner, 12);
    EXPECT_EQ(clock.nowMs(), 60);
}

}  // namespace
