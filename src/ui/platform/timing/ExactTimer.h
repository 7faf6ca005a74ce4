#pragma once

#include <QObject>
#include <memory>

#include "ui/platform/timing/TickSchedule.h"

// The monotonic clock the tick schedule counts on, in nanoseconds from its own origin. It
// stands still while the computer sleeps, so a suspended computer does not count as time run.
TickSchedule::Nanos MonotonicNow();

// A timer of the system's own that fires at a moment of MonotonicNow() within the scheduler's
// slack, where a Qt timer may end its wait a millisecond or more late. Each system has its own
// file; MakeExactTimer gives nothing where the system has no such timer.
class ExactTimer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Fires once at `due`, at once if it is past; replaces any earlier arming. False when the
    // system refused, after which the timer is of no more use.
    virtual bool arm(TickSchedule::Nanos due) = 0;
    virtual void disarm() = 0;

signals:
    void fired();
};

// A child of `parent`, so that moveToThread() takes it along.
ExactTimer* MakeExactTimer(QObject* parent);
