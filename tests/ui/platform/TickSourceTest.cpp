#include "ui/platform/TickSource.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QThread>
#include <functional>
#include <map>
#include <vector>

namespace {

// Short enough to keep the tests quick, long enough that a tick is not lost in noise.
constexpr int kIntervalMs = 50;
constexpr qint64 kIntervalNs = kIntervalMs * 1'000'000LL;
// Waits for ticks give up after this many intervals; only a broken source gets there.
constexpr double kGiveUp = 100;

// A handler blocking this long leaves three more ticks due.
constexpr unsigned long kStallMs = 7 * kIntervalMs / 2;

// Enables a source and records when each tick arrives, in nanoseconds from just before. The
// source takes its anchor after that moment, so tick n of an anchor recorded before n intervals
// came early. on[n] is run in the handler of tick n (counting from 1).
struct TickSourceTest : ::testing::Test {
    TickSourceTest() {
        source.setInterval(kIntervalMs);
        QObject::connect(&source, &TickSource::tick, [this] {
            times.push_back(clock.nsecsElapsed());
            EXPECT_GE(times.back(), (ticks() - ticksBeforeAnchor) * kIntervalNs)
                << "tick " << ticks();
            if (const auto action = on.find(ticks()); action != on.end()) {
                action->second();
            }
        });
        clock.start();
        source.setEnabled(true);
    }
    int ticks() const { return static_cast<int>(times.size()); }

    // Runs the event loop for some intervals, or until tick `count` has come; returns the ticks
    // so far.
    int run(double intervals, int count = 0) {
        QEventLoop loop;
        QTimer::singleShot(static_cast<int>(intervals * kIntervalMs), &loop, &QEventLoop::quit);
        QObject::connect(&source, &TickSource::tick, &loop, [&] {
            if (ticks() == count) {
                loop.quit();
            }
        });
        loop.exec();
        return ticks();
    }

    TickSource source;
    std::map<int, std::function<void()>> on;
    QElapsedTimer clock;
    std::vector<qint64> times;
    int ticksBeforeAnchor = 0;  // when the clock was last started
};

}  // namespace

// A modal dialog opened from a tick handler runs its own event loop; the clock must go on.
TEST_F(TickSourceTest, EveryLateTickComesInsideANestedEventLoopAndAfterAStall) {
    int ticksInsideNestedLoop = 0;
    on[1] = [&] {
        run(4.5);  // ticks 2 to 5 fall due meanwhile
        ticksInsideNestedLoop = ticks() - 1;
    };
    on[6] = [] { QThread::msleep(kStallMs); };  // ticks 7, 8 and 9 fall due meanwhile
    ASSERT_EQ(run(kGiveUp, 10), 10);
    EXPECT_GE(ticksInsideNestedLoop, 2);
    // Ticks already due but still owed when the last one came: a source that drops or
    // postpones late ticks falls behind here. One is allowed for a busy machine.
    EXPECT_LE(times.back() / kIntervalNs - ticks(), 1);
}

TEST_F(TickSourceTest, ReenablingInAHandlerForgetsTheOldScheduleAndDisablingDropsLateTicks) {
    on[1] = [this] {
        QThread::msleep(kStallMs);  // ticks 2, 3 and 4 fall due meanwhile
        source.setEnabled(false);
        clock.start();
        ticksBeforeAnchor = 1;
        source.setEnabled(true);
    };
    on[3] = [] { QThread::msleep(kStallMs); };  // ticks 4, 5 and 6 of the new anchor fall due
    on[4] = [this] { source.setEnabled(false); };
    run(kGiveUp, 4);
    EXPECT_EQ(run(4), 4);
}

TEST_F(TickSourceTest, IntervalChangedInAHandlerCountsFromThatTick) {
    on[1] = [this] { source.setInterval(3 * kIntervalMs); };
    ASSERT_EQ(run(kGiveUp, 3), 3);
    EXPECT_GE(times[1], 4 * kIntervalNs);
    EXPECT_GE(times[2], 7 * kIntervalNs);
}
