#pragma once

#include <chrono>
#include <cstdint>

// The arithmetic of a drift-free periodic tick. Tick n (n = 1, 2, ...) is due at
// anchor + n * interval; every due time is computed from the anchor, never from the previous
// tick, so lateness in delivering one tick does not move the ones after it.
//
// Times are positions on one monotonic clock, in nanoseconds from that clock's own origin.
class TickSchedule {
public:
    using Nanos = std::chrono::nanoseconds;

    // Starts afresh: nothing delivered, tick 1 due one interval after the anchor.
    void start(Nanos anchor, Nanos interval);

    std::int64_t delivered() const { return m_delivered; }
    // When tick n of the current anchor is due.
    Nanos dueTime(std::int64_t n) const { return m_anchor + n * m_interval; }

    // Ticks that are due at `now` and not yet delivered.
    std::int64_t pending(Nanos now) const;
    // Counts the next tick as delivered.
    void markDelivered() { ++m_delivered; }
    // How long from `now` until the next undelivered tick is due; zero if it already is.
    Nanos untilNext(Nanos now) const;

private:
    Nanos m_anchor{0};
    Nanos m_interval{std::chrono::seconds(1)};
    std::int64_t m_delivered = 0;
};
