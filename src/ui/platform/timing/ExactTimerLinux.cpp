#include <sys/timerfd.h>
#include <time.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "ui/platform/timing/ExactTimer.h"

// Read directly rather than through std::chrono::steady_clock, whose origin only happens to
// be CLOCK_MONOTONIC's: the timerfd below is set on this clock.
TickSchedule::Nanos MonotonicNow() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::chrono::seconds(ts.tv_sec) + std::chrono::nanoseconds(ts.tv_nsec);
}

namespace {

// A timerfd set to an absolute time wakes within the task's timer slack (50 µs), where poll()
// may end a wait of t up to t/1000 late. So one wake-up a tick is enough, which halves what the
// running clock costs the CPU.
class TimerFd : public ExactTimer {
public:
    TimerFd(int fd, QObject* parent)
        : ExactTimer(parent),
          m_fd(fd),
          m_notifier(new QSocketNotifier(fd, QSocketNotifier::Read, this)) {
        connect(m_notifier, &QSocketNotifier::activated, this, [this] {
            std::uint64_t expirations = 0;
            // Nothing to read is harmless: the timer was re-armed or stopped after it fired.
            while (read(m_fd, &expirations, sizeof expirations) < 0 && errno == EINTR) {
            }
            emit fired();
        });
    }
    ~TimerFd() override {
        // The notifier watches the descriptor, so it goes first.
        delete m_notifier;
        close(m_fd);
    }

    bool arm(TickSchedule::Nanos due) override {
        // An absolute time of zero would disarm the timer instead.
        const std::int64_t ns = std::max<std::int64_t>(due.count(), 1);
        itimerspec when{};
        when.it_value.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
        when.it_value.tv_nsec = static_cast<long>(ns % 1'000'000'000);
        return set(when);
    }
    void disarm() override { set(itimerspec{}); }

private:
    bool set(const itimerspec& when) {
        if (timerfd_settime(m_fd, TFD_TIMER_ABSTIME, &when, nullptr) == 0) {
            return true;
        }
        // This may run inside the notifier's own signal, so it is only switched off here.
        m_notifier->setEnabled(false);
        return false;
    }

    const int m_fd;
    QSocketNotifier* const m_notifier;
};

}  // namespace

ExactTimer* MakeExactTimer(QObject* parent) {
    const int fd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    return fd >= 0 ? new TimerFd(fd, parent) : nullptr;
}
