#include "ui/platform/timing/TickSource.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QThread>
#include <functional>
#include <map>

namespace {

// Short enough to keep the tests quick, long enough that a tick is not lost in noise.
constexpr int kIntervalMs = 50;
constexpr qint64 kIntervalNs = kIntervalMs * 1'000'000LL;
// Waits for ticks give up after this many intervals; only a broken source gets there.
constexpr double kGiveUp = 100;
// A handler blocking this long leaves three more ticks due.
constexpr unsigned long kStallMs = 7 * kIntervalMs / 2;

// Enables a source and records when the last tick arrived, in nanoseconds from just before. The
// source takes its anchor after that moment, so tick n of an anchor recorded before n intervals
// came early. on[n] is run in the handler of tick n (counting from 1).
struct TickSourceTest : ::testing::Test {
    TickSourceTest() {
        source.setInterval(kIntervalMs);
        QObject::connect(&source, &TickSource::tick, [this] {
            last = clock.nsecsElapsed();
            ++ticks;
            EXPECT_GE(last, (ticks - ticksBeforeAnchor) * kIntervalNs) << "tick " << ticks;
            if (const auto action = on.find(ticks); action != on.end()) {
                action->second();
            }
        });
        clock.start();
        source.setEnabled(true);
    }

    // Runs the event loop for some intervals, or until tick `count`; returns the ticks so far.
    int run(double intervals, int count = 0) {
        QEventLoop loop;
        QTimer::singleShot(static_cast<int>(intervals * kIntervalMs), &loop, &QEventLoop::quit);
        QObject::connect(&source, &TickSource::tick, &loop, [&] {
            if (ticks == count) {
                loop.quit();
            }
        });
        loop.exec();
        return ticks;
    }

    TickSource source;
    std::map<int, std::function<void()>> on;
    QElapsedTimer clock;
    qint64 last = 0;
    int ticks = 0;
    int ticksBeforeAnchor = 0;  // when the clock was last started
};

}  // namespace

// A modal dialog opened from a tick handler runs its own event loop; the clock must go on. The
// engine stops the source from a tick handler; late ticks must not move the stopped clock.
TEST_F(TickSourceTest, LateTicksAllComeInANestedLoopOrAfterAStallUntilARestartOrAStop) {
    on[1] = [this] { EXPECT_GE(run(4.5), 1 + 2); };  // ticks 2 to 5 fall due meanwhile
    on[6] = [] { QThread::msleep(kStallMs); };       // ticks 7, 8 and 9 fall due meanwhile
    on[10] = [this] {
        // Ticks already due but still owed when this one came: a source that drops or
        // postpones late ticks falls behind here. One is allowed for a busy machine.
        EXPECT_LE(last / kIntervalNs - ticks, 1);
        QThread::msleep(kStallMs);  // ticks 11, 12 and 13 fall due, but the restart forgets them
        source.setEnabled(false);
        clock.start();
        ticksBeforeAnchor = 10;
        source.setEnabled(true);
    };
    on[12] = [] { QThread::msleep(kStallMs); };  // ticks 3, 4 and 5 of the new anchor fall due
    on[13] = [this] { source.setEnabled(false); };
    run(kGiveUp, 13);
    EXPECT_EQ(run(4), 13);
}
