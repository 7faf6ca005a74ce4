#pragma once

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

// A moment when the whole machine stood still: a thread that asked to wake every 5 ms woke
// 50 ms or more late. A shared or throttled machine does this now and then, and the sound
// server, frozen with everything else, drops part of whatever was sounding.
struct Stall {
    std::chrono::steady_clock::time_point from;
    std::chrono::steady_clock::time_point until;
};

// Watches for stalls on a thread of its own for as long as it lives.
class StallWatch {
public:
    StallWatch();
    ~StallWatch();
    StallWatch(const StallWatch&) = delete;
    StallWatch& operator=(const StallWatch&) = delete;

    std::vector<Stall> stalls() const;

private:
    std::atomic<bool> m_stopping{false};
    mutable std::mutex m_mutex;
    std::vector<Stall> m_stalls;
    std::thread m_thread;
};
