#include "ui/platform/timing/TickSchedule.h"

#include <algorithm>

namespace {
// A zero or negative interval would make every tick due at once (and divide by zero).
TickSchedule::Nanos positive(TickSchedule::Nanos interval) {
    return std::max(interval, TickSchedule::Nanos{1});
}
}  // namespace

void TickSchedule::start(Nanos anchor, Nanos interval) {
    m_anchor = anchor;
    m_interval = positive(interval);
    m_delivered = 0;
}

std::int64_t TickSchedule::pending(Nanos now) const {
    if (now < m_anchor) {
        return 0;
    }
    const std::int64_t due = (now - m_anchor) / m_interval;
    return std::max<std::int64_t>(due - m_delivered, 0);
}

TickSchedule::Nanos TickSchedule::untilNext(Nanos now) const {
    return std::max(dueTime(m_delivered + 1) - now, Nanos{0});
}
