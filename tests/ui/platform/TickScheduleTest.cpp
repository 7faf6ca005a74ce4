#include "ui/platform/TickSchedule.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace std::chrono_literals;
using Nanos = TickSchedule::Nanos;

namespace {

// An anchor well away from the clock's origin, so that anchor-relative mistakes show.
constexpr Nanos kAnchor = 5'123'456'789ns;

TickSchedule startedSchedule() {
    TickSchedule schedule;
    schedule.start(kAnchor, 1s);
    return schedule;
}

// Delivers whatever is due at `now`, as the tick source does; returns how many.
int deliverDue(TickSchedule& schedule, Nanos now) {
    int delivered = 0;
    for (; schedule.pending(now) > 0; ++delivered) {
        schedule.markDelivered();
    }
    return delivered;
}

}  // namespace

TEST(TickSchedule, TickIsDueExactlyAtItsTimeAndNotBefore) {
    TickSchedule schedule = startedSchedule();
    EXPECT_EQ(schedule.pending(kAnchor - 10s), 0);
    EXPECT_EQ(schedule.untilNext(kAnchor - 10s), 11s);
    EXPECT_EQ(schedule.untilNext(kAnchor), 1s);
    EXPECT_EQ(schedule.pending(kAnchor + 1s - 1ns), 0);
    EXPECT_EQ(schedule.untilNext(kAnchor + 1s - 1ns), 1ns);
    EXPECT_EQ(schedule.pending(kAnchor + 1s), 1);
    EXPECT_EQ(schedule.untilNext(kAnchor + 1s), 0ns);

    schedule.markDelivered();
    EXPECT_EQ(schedule.pending(kAnchor + 1s), 0);
    EXPECT_EQ(schedule.untilNext(kAnchor + 1s + 300ms), 700ms);
    EXPECT_EQ(schedule.pending(kAnchor + 2s - 1ns), 0);
    EXPECT_EQ(schedule.pending(kAnchor + 2s), 1);
}

TEST(TickSchedule, StallOverSeveralTicksLeavesEachOnePendingThenKeepsTheAnchor) {
    TickSchedule schedule = startedSchedule();
    ASSERT_EQ(deliverDue(schedule, kAnchor + 1s), 1);

    // The handler of tick 1 blocked for 3.5 s: ticks 2, 3 and 4 are all owed.
    const Nanos afterStall = kAnchor + 4500ms;
    EXPECT_EQ(schedule.pending(afterStall), 3);
    EXPECT_EQ(deliverDue(schedule, afterStall), 3);

    // Tick 5 is due at anchor + 5 s, not one interval after the catch-up.
    EXPECT_EQ(schedule.untilNext(afterStall), 500ms);
    EXPECT_EQ(schedule.pending(kAnchor + 5s - 1ns), 0);
    EXPECT_EQ(schedule.pending(kAnchor + 5s), 1);
}

TEST(TickSchedule, RestartTakesANewAnchorAndForgetsOwedTicks) {
    TickSchedule schedule = startedSchedule();
    deliverDue(schedule, kAnchor + 2s);
    ASSERT_EQ(schedule.pending(kAnchor + 7s), 5);

    const Nanos newAnchor = kAnchor + 7s + 250ms;
    schedule.start(newAnchor, 1s);
    EXPECT_EQ(schedule.delivered(), 0);
    EXPECT_EQ(schedule.pending(newAnchor + 1s - 1ns), 0);
    EXPECT_EQ(schedule.pending(newAnchor + 1s), 1);
}

TEST(TickSchedule, AnHourOfLateWakeUpsDoesNotMoveTheTicks) {
    TickSchedule schedule = startedSchedule();
    // Every wake-up comes 3 ms late; re-arming from the wake-up would lose 10.8 s an hour.
    Nanos now = kAnchor;
    for (int n = 1; n <= 3600; ++n) {
        now += schedule.untilNext(now) + 3ms;
        ASSERT_EQ(deliverDue(schedule, now), 1) << "tick " << n;
    }
    EXPECT_EQ(schedule.dueTime(3600), kAnchor + 3600s);
    EXPECT_EQ(now, kAnchor + 3600s + 3ms);
    EXPECT_EQ(schedule.untilNext(now), 997ms);
}

TEST(TickSchedule, ChangedIntervalCountsFromTheLastDeliveredTick) {
    TickSchedule schedule = startedSchedule();
    deliverDue(schedule, kAnchor + 2s + 100ms);  // ticks 1 and 2

    schedule.changeInterval(500ms);
    EXPECT_EQ(schedule.pending(kAnchor + 2s + 499ms), 0);
    EXPECT_EQ(schedule.pending(kAnchor + 2s + 500ms), 1);
    EXPECT_EQ(schedule.pending(kAnchor + 4s), 4);

    TickSchedule fresh = startedSchedule();
    fresh.changeInterval(2s);
    EXPECT_EQ(fresh.dueTime(1), kAnchor + 2s);
}

TEST(TickSchedule, ZeroIntervalDoesNotMakeEveryTickDue) {
    TickSchedule schedule;
    schedule.start(kAnchor, 0ns);
    EXPECT_EQ(schedule.pending(kAnchor), 0);
    EXPECT_GT(schedule.untilNext(kAnchor), 0ns);
}
