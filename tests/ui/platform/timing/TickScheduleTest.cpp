#include "ui/platform/timing/TickSchedule.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace std::chrono_literals;

namespace {

// An anchor well away from the clock's origin, so that anchor-relative mistakes show.
constexpr TickSchedule::Nanos kAnchor = 5'123'456'789ns;

struct TickScheduleTest : ::testing::Test {
    TickScheduleTest() { s.start(kAnchor, 1s); }
    // Delivers whatever is due at `now`, as the tick source does; returns how many.
    int deliverDue(TickSchedule::Nanos now) {
        int delivered = 0;
        for (; s.pending(now) > 0; ++delivered) {
            s.markDelivered();
        }
        return delivered;
    }
    TickSchedule s;
};

}  // namespace

// Re-arming from each wake-up instead of the anchor would let lateness add up: 3 ms late a
// tick loses 10.8 s an hour.
TEST_F(TickScheduleTest, LateTicksStayOnTheAnchorsGridUntilARestart) {
    EXPECT_EQ(s.pending(kAnchor - 10s), 0);
    EXPECT_EQ(s.untilNext(kAnchor - 10s), 11s);
    EXPECT_EQ(s.untilNext(kAnchor + 1s - 1ns), 1ns);
    ASSERT_EQ(deliverDue(kAnchor + 1s), 1);

    // The handler of tick 1 blocked for 3.5 s: ticks 2, 3 and 4 are all owed, and tick 5 is
    // still due at anchor + 5 s, not one interval after the catch-up.
    EXPECT_EQ(s.untilNext(kAnchor + 4500ms), 0ns);
    EXPECT_EQ(deliverDue(kAnchor + 4500ms), 3);
    EXPECT_EQ(s.untilNext(kAnchor + 4500ms), 500ms);

    // A restart forgets the ticks owed and those delivered.
    const auto newAnchor = kAnchor + 7s + 250ms;
    s.start(newAnchor, 1s);
    EXPECT_EQ(s.pending(newAnchor + 1s - 1ns), 0);
    EXPECT_EQ(s.pending(newAnchor + 1s), 1);
}

TEST_F(TickScheduleTest, AZeroIntervalNeverMakesEveryTickDueAtOnce) {
    s.start(kAnchor, 0ns);
    EXPECT_EQ(s.pending(kAnchor), 0);
    EXPECT_GT(s.untilNext(kAnchor), 0ns);
}
