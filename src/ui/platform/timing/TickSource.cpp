#include "ui/platform/timing/TickSource.h"

#include <QSocketNotifier>
#include <algorithm>

#ifdef __linux__
#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#endif

using std::chrono::ceil;
using std::chrono::milliseconds;

namespace {
// Waits up to this long are left whole: the poll() slack on them is at most tens of µs.
constexpr std::chrono::milliseconds kShortWait{50};
}  // namespace

// The timer and the notifier are children so that moveToThread() takes them along.
TickSource::TickSource(QObject* parent) : QObject(parent), m_timer(this) {
#ifdef __linux__
    // A timerfd set to an absolute time wakes within the task's timer slack (50 µs), where
    // poll() may end a wait of t up to t/1000 late. So one wake-up a tick is enough, which
    // halves what the running clock costs the CPU.
    m_exactTimer = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_exactTimer >= 0) {
        auto* notifier = new QSocketNotifier(m_exactTimer, QSocketNotifier::Read, this);
        m_exactNotifier = notifier;
        connect(notifier, &QSocketNotifier::activated, this, [this] {
            std::uint64_t expirations = 0;
            // Nothing to read is harmless: the timer was re-armed or stopped after it fired.
            while (read(m_exactTimer, &expirations, sizeof expirations) < 0 && errno == EINTR) {
            }
            if (m_enabled) {
                onTimeout();
            }
        });
        return;
    }
#endif
    useQtTimer();
}

void TickSource::useQtTimer() {
    m_timer.setSingleShot(true);
    // The coarse default may fire up to 5 % of the interval late; the clock cannot afford it.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TickSource::onTimeout);
}

TickSource::~TickSource() {
#ifdef __linux__
    if (m_exactTimer >= 0) {
        close(m_exactTimer);
    }
#endif
}

void TickSource::setInterval(int milliseconds) {
    m_interval = std::chrono::milliseconds(std::max(milliseconds, 1));
}

void TickSource::setEnabled(bool enabled) {
    if (enabled == m_enabled) {
        return;
    }
    m_enabled = enabled;
    if (enabled) {
        m_origin = std::chrono::steady_clock::now();
        m_schedule.start(TickSchedule::Nanos{0}, m_interval);
        armNext();
    } else if (m_exactTimer >= 0) {
        armExact(TickSchedule::Nanos{-1});
    } else {
        m_timer.stop();
    }
}

bool TickSource::isEnabled() const {
    return m_enabled;
}

// One tick per wake-up. The timer is re-armed before tick() is emitted, so whatever the
// handler does afterwards wins: stopping the source also drops the late ticks still pending,
// and a handler running a nested event loop still gets the next tick inside that loop.
void TickSource::onTimeout() {
    if (m_schedule.pending(now()) == 0) {
        armNext();  // woke before the tick, on purpose (see armNext) or not: wait on
        return;
    }
    m_schedule.markDelivered();
    armNext();  // zero wait while late ticks remain, so each is delivered in turn
    emit tick();
}

void TickSource::armNext() {
    if (m_exactTimer >= 0) {
        armExact(m_schedule.dueTime(m_schedule.delivered() + 1));
        return;
    }
    TickSchedule::Nanos wait = m_schedule.untilNext(now());
    // On Linux the event loop's poll() may end a wait of t up to t/1000 late (t/200 when
    // niced): a millisecond or more on a one-second tick. So a long wait stops 2 % short and
    // the short wait that onTimeout() then arms for the remainder ends within microseconds.
    if (wait > kShortWait) {
        wait -= wait / 50;
    }
    // Rounded up: the timer only counts whole milliseconds, and rounding down would wake before
    // the tick is due.
    m_timer.start(ceil<milliseconds>(wait));
}

// Sets the timerfd to fire at `due` on this source's clock; a negative `due` disarms it. A due
// time already past fires at once.
void TickSource::armExact([[maybe_unused]] TickSchedule::Nanos due) {
#ifdef __linux__
    itimerspec when{};
    if (due >= TickSchedule::Nanos{0}) {
        const auto at = m_origin.time_since_epoch() + due;
        // An absolute time of zero would disarm the timer instead.
        const auto ns = std::max<std::int64_t>(
            std::chrono::duration_cast<std::chrono::nanoseconds>(at).count(), 1);
        when.it_value.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
        when.it_value.tv_nsec = static_cast<long>(ns % 1'000'000'000);
    }
    if (timerfd_settime(m_exactTimer, TFD_TIMER_ABSTIME, &when, nullptr) == 0) {
        return;
    }
    // The clock must go on: from here on it ticks on Qt's timer, which is less exact.
    std::fprintf(stderr, "rondelay: the exact tick timer failed (%s); ticking on Qt's timer\n",
                 std::strerror(errno));
    // This may run inside the notifier's own signal, so it is only switched off here.
    m_exactNotifier->setEnabled(false);
    m_exactNotifier->deleteLater();
    m_exactNotifier = nullptr;
    close(m_exactTimer);
    m_exactTimer = -1;
    useQtTimer();
    if (due >= TickSchedule::Nanos{0}) {
        armNext();
    }
#endif
}

TickSchedule::Nanos TickSource::now() const {
    return std::chrono::steady_clock::now() - m_origin;
}
