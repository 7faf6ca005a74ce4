#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>

#include "ui/platform/timing/TickSchedule.h"

// The one-second tick source. A plain QTimer is not good enough for a clock that counts ticks:
// its coarse default may fire each tick up to 5 % of the interval early or late and shifts its
// ticks that way, by tens of milliseconds a tick, onto its own whole-second grid. So tick n is
// anchored at enable time + n * interval on a monotonic clock and a precise single shot is
// re-armed for each next tick. Ticks that fall due while the event loop is stalled are all
// delivered, one tick() each, once it runs again.
//
// A tick() handler may disable or re-enable the source or run a nested event loop (a modal
// dialog); ticks keep coming inside the nested loop.
//
// Where the system has a timer that wakes at an exact moment (ExactTimer) each tick costs one
// wake-up; elsewhere a wait is cut short and finished with a second, short one (see armNext).
class ExactTimer;

class TickSource : public QObject {
    Q_OBJECT
public:
    explicit TickSource(QObject* parent = nullptr);
    ~TickSource() override;

    // At least 1 ms; it takes effect when the source is next enabled.
    void setInterval(int milliseconds);
    // Enabling starts a new anchor: the first tick comes one interval later. Enabling an
    // enabled source changes nothing.
    void setEnabled(bool enabled);
    bool isEnabled() const;

signals:
    void tick();

private:
    void onTimeout();
    void armNext();
    void useQtTimer();
    TickSchedule::Nanos now() const;

    QTimer m_timer;
    ExactTimer* m_exact = nullptr;  // a child, where the system has one
    std::chrono::milliseconds m_interval{1000};
    TickSchedule::Nanos m_origin{0};  // on the exact timer's clock
    TickSchedule m_schedule;
    bool m_enabled = false;
};
