#include "ui/platform/TickSource.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <climits>
#include <functional>
#include <thread>
#include <vector>

namespace {

// Short enough to keep the tests quick, long enough that a tick is not lost in noise.
constexpr int kIntervalMs = 50;
constexpr qint64 kIntervalNs = kIntervalMs * 1'000'000LL;
// Waits for ticks give up after this many intervals; only a broken source gets there.
constexpr double kGiveUp = 100;

void sleepIntervals(double intervals) {
    std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(intervals * kIntervalMs));
}

// Records when each tick arrives, in nanoseconds from just before the source was enabled.
// The source takes its anchor after that moment, so tick n recorded before n intervals came
// early. onTick may react to tick n (counting from 1).
struct TickRecorder {
    TickRecorder() {
        source.setInterval(kIntervalMs);
        QObject::connect(&source, &TickSource::tick, [this] {
            times.push_back(clock.nsecsElapsed());
            if (onTick) {
                onTick(ticks());
            }
        });
    }

    void enable() {
        clock.start();
        source.setEnabled(true);
    }
    qint64 now() const { return clock.nsecsElapsed(); }
    int ticks() const { return static_cast<int>(times.size()); }

    // Runs the event loop for some intervals, or until `count` ticks have come in all.
    void run(double intervals, int count = INT_MAX) {
        QEventLoop loop;
        QTimer::singleShot(static_cast<int>(intervals * kIntervalMs), Qt::PreciseTimer, &loop,
                           &QEventLoop::quit);
        QObject::connect(&source, &TickSource::tick, &loop, [&] {
            if (ticks() >= count) {
                loop.quit();
            }
        });
        if (ticks() < count) {
            loop.exec();
        }
    }

    // Ticks from `first` on count from an anchor taken at `enabledAt`.
    void expectNoneEarly(qint64 enabledAt = 0, int first = 1) const {
        for (int n = first; n <= ticks(); ++n) {
            EXPECT_GE(times[n - 1], enabledAt + (n - first + 1) * kIntervalNs) << "tick " << n;
        }
    }
    // Ticks already due but still owed when the last one came: a source that drops or
    // postpones late ticks falls behind here. One is allowed for a busy machine.
    void expectCaughtUp() const {
        ASSERT_GT(ticks(), 0);
        EXPECT_LE(times.back() / kIntervalNs - ticks(), 1);
    }

    TickSource source;
    std::function<void(int)> onTick;
    QElapsedTimer clock;
    std::vector<qint64> times;
};

}  // namespace

TEST(TickSource, TicksComeOnTheirScheduleAndNeverEarly) {
    TickRecorder recorder;
    recorder.enable();
    EXPECT_TRUE(recorder.source.isEnabled());
    recorder.run(kGiveUp, 6);
    ASSERT_EQ(recorder.ticks(), 6);
    recorder.expectNoneEarly();
    recorder.expectCaughtUp();
}

TEST(TickSource, DisableStopsTicksAndReenableTakesANewAnchor) {
    TickRecorder recorder;
    recorder.enable();
    recorder.run(kGiveUp, 2);
    recorder.source.setEnabled(false);
    EXPECT_FALSE(recorder.source.isEnabled());
    recorder.run(4);
    ASSERT_EQ(recorder.ticks(), 2);

    const qint64 reenabledAt = recorder.now();
    recorder.source.setEnabled(true);
    recorder.run(kGiveUp, 4);
    ASSERT_EQ(recorder.ticks(), 4);
    recorder.expectNoneEarly(reenabledAt, 3);
}

TEST(TickSource, StalledHandlerIsFollowedByEveryLateTickThenTheSchedule) {
    TickRecorder recorder;
    recorder.onTick = [](int n) {
        if (n == 1) {
            sleepIntervals(3.5);  // ticks 2, 3 and 4 fall due meanwhile
        }
    };
    recorder.enable();
    recorder.run(kGiveUp, 8);
    ASSERT_EQ(recorder.ticks(), 8);
    recorder.expectNoneEarly();
    recorder.expectCaughtUp();
}

TEST(TickSource, DisablingInsideAHandlerDropsTheLateTicksStillOwed) {
    TickRecorder recorder;
    recorder.onTick = [&recorder](int n) {
        if (n == 1) {
            sleepIntervals(3.5);
        } else if (n == 2) {
            recorder.source.setEnabled(false);
        }
    };
    recorder.enable();
    recorder.run(kGiveUp, 2);
    recorder.run(4);
    EXPECT_EQ(recorder.ticks(), 2);
}

TEST(TickSource, ReenablingInsideAHandlerForgetsTheOldSchedule) {
    TickRecorder recorder;
    qint64 reenabledAt = 0;
    recorder.onTick = [&](int n) {
        if (n == 1) {
            sleepIntervals(3.5);
            recorder.source.setEnabled(false);
            reenabledAt = recorder.now();
            recorder.source.setEnabled(true);
        }
    };
    recorder.enable();
    recorder.run(kGiveUp, 3);
    ASSERT_EQ(recorder.ticks(), 3);
    recorder.expectNoneEarly(reenabledAt, 2);
}

TEST(TickSource, IntervalChangedInsideAHandlerCountsFromThatTick) {
    TickRecorder recorder;
    recorder.onTick = [&recorder](int n) {
        if (n == 1) {
            recorder.source.setInterval(3 * kIntervalMs);
        }
    };
    recorder.enable();
    recorder.run(kGiveUp, 3);
    ASSERT_EQ(recorder.ticks(), 3);
    EXPECT_EQ(recorder.source.interval(), 3 * kIntervalMs);
    EXPECT_GE(recorder.times[1], 4 * kIntervalNs);
    EXPECT_GE(recorder.times[2], 7 * kIntervalNs);
}

// A modal dialog opened from a tick handler runs its own event loop; the clock must go on.
TEST(TickSource, TicksKeepComingInsideANestedEventLoop) {
    TickRecorder recorder;
    int ticksInsideNestedLoop = 0;
    bool nested = false;
    recorder.onTick = [&](int n) {
        if (nested) {
            ++ticksInsideNestedLoop;
        } else if (n == 1) {
            nested = true;
            recorder.run(4.5);  // ticks 2 to 5 fall due meanwhile
            nested = false;
        }
    };
    recorder.enable();
    recorder.run(kGiveUp, 6);
    ASSERT_EQ(recorder.ticks(), 6);
    EXPECT_GE(ticksInsideNestedLoop, 2);
    recorder.expectNoneEarly();
    recorder.expectCaughtUp();
}
