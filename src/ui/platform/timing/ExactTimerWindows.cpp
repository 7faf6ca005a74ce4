#include <windows.h>

#include <QWinEventNotifier>
#include <cstdint>

#include "ui/platform/timing/ExactTimer.h"

// Windows 10 1803 and later; the MinGW headers of Debian 12 do not name it yet.
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

// The performance counter: monotonic, with a resolution well under a microsecond.
TickSchedule::Nanos MonotonicNow() {
    static const std::int64_t perSecond = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return frequency.QuadPart;
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    const std::int64_t whole = count.QuadPart / perSecond;
    const std::int64_t part = count.QuadPart % perSecond;
    return std::chrono::seconds(whole) + TickSchedule::Nanos(part * 1'000'000'000 / perSecond);
}

namespace {

// A high-resolution waitable timer, which wakes within a millisecond of its time where a plain
// one keeps to the system's 15.6 ms timer tick. Set for a span from now, so that a change of
// the wall clock cannot move it.
class WaitableTimer : public ExactTimer {
public:
    WaitableTimer(HANDLE timer, QObject* parent)
        : ExactTimer(parent), m_timer(timer), m_notifier(new QWinEventNotifier(timer, this)) {
        // The notifier waits again only once its signal has been handled, and a tick's handler
        // may run a nested event loop (a modal dialog) in which the next tick must come: so
        // the tick is given from the event loop, after the notifier has returned.
        connect(m_notifier, &QWinEventNotifier::activated, this, [this] {
            QMetaObject::invokeMethod(this, &ExactTimer::fired, Qt::QueuedConnection);
        });
    }
    ~WaitableTimer() override {
        // The notifier waits on the handle, so it goes first.
        delete m_notifier;
        CloseHandle(m_timer);
    }

    bool arm(TickSchedule::Nanos due) override {
        const std::int64_t span = (due - MonotonicNow()).count() / 100;  // in 100 ns
        LARGE_INTEGER when;
        when.QuadPart = -std::max<std::int64_t>(span, 1);  // negative: from now
        if (SetWaitableTimer(m_timer, &when, 0, nullptr, nullptr, FALSE)) {
            return true;
        }
        m_notifier->setEnabled(false);
        return false;
    }
    void disarm() override { CancelWaitableTimer(m_timer); }

private:
    const HANDLE m_timer;
    QWinEventNotifier* const m_notifier;
};

}  // namespace

// Where the system has no high-resolution timer, the tick source keeps to Qt's precise one.
ExactTimer* MakeExactTimer(QObject* parent) {
    const HANDLE timer = CreateWaitableTimerExW(
        nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
    return timer != nullptr ? new WaitableTimer(timer, parent) : nullptr;
}
