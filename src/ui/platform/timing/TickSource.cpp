#include "ui/platform/timing/TickSource.h"

#include <algorithm>
#include <cstdio>

#include "ui/platform/timing/ExactTimer.h"

using std::chrono::ceil;
using std::chrono::milliseconds;

namespace {
// Waits up to this long are left whole: the poll() slack on them is at most tens of µs.
constexpr std::chrono::milliseconds kShortWait{50};
}  // namespace

// The timers are children so that moveToThread() takes them along.
TickSource::TickSource(QObject* parent) : QObject(parent), m_timer(this) {
    m_exact = MakeExactTimer(this);
    if (m_exact != nullptr) {
        connect(m_exact, &ExactTimer::fired, this, [this] {
            if (m_enabled) {
                onTimeout();
            }
        });
    } else {
        useQtTimer();
    }
}

void TickSource::useQtTimer() {
    m_timer.setSingleShot(true);
    // The coarse default may fire up to 5 % of the interval late; the clock cannot afford it.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TickSource::onTimeout);
}

TickSource::~TickSource() = default;

void TickSource::setInterval(int milliseconds) {
    m_interval = std::chrono::milliseconds(std::max(milliseconds, 1));
}

void TickSource::setEnabled(bool enabled) {
    if (enabled == m_enabled) {
        return;
    }
    m_enabled = enabled;
    if (enabled) {
        m_origin = MonotonicNow();
        m_schedule.start(TickSchedule::Nanos{0}, m_interval);
        armNext();
    } else if (m_exact != nullptr) {
        m_exact->disarm();
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
    const TickSchedule::Nanos due = m_schedule.dueTime(m_schedule.delivered() + 1);
    if (m_exact != nullptr) {
        if (m_exact->arm(m_origin + due)) {
            return;
        }
        // The clock must go on: from here on it ticks on Qt's timer, which is less exact. This
        // may run inside the exact timer's own signal, so it is deleted later.
        std::fprintf(stderr, "rondelay: the exact tick timer failed; ticking on Qt's timer\n");
        m_exact->disconnect(this);
        m_exact->deleteLater();
        m_exact = nullptr;
        useQtTimer();
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

TickSchedule::Nanos TickSource::now() const {
    return MonotonicNow() - m_origin;
}
