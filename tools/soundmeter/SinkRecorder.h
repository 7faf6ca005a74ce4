#pragma once

#include <sys/types.h>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Records a sound server's monitor source with `parec` on a thread of its own, stamping each
// chunk as it arrives, so that a position in the recording can be turned into the moment it
// sounded even when the stream drifts, pauses while the sink is suspended, or is restarted
// after the server went away.
class SinkRecorder {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr int kRate = 44100;

    explicit SinkRecorder(std::string source);
    // A finished recording of `samples` that began at `start`, arriving in 10 ms chunks.
    SinkRecorder(std::vector<std::int16_t> samples, Clock::time_point start);
    ~SinkRecorder();
    SinkRecorder(const SinkRecorder&) = delete;
    SinkRecorder& operator=(const SinkRecorder&) = delete;

    // Waits until samples arrive, as a fresh null sink delivers its first ones late.
    bool waitForSamples(std::chrono::milliseconds limit);
    void stop();

    // One channel of 16-bit samples, everything recorded so far.
    std::vector<std::int16_t> samples() const;
    // When sample `index` sounded, as well as the stamps around it can tell.
    Clock::time_point timeOf(std::size_t index) const;

private:
    struct Stamp {
        std::size_t end;  // samples recorded up to and including this chunk
        Clock::time_point arrived;
    };
    void run();

    const std::string m_source;
    std::atomic<bool> m_stopping{false};
    std::atomic<int> m_pid{0};
    mutable std::mutex m_mutex;
    std::vector<std::int16_t> m_samples;
    std::vector<Stamp> m_stamps;
    std::thread m_thread;
};

// Starts a command-line player (`paplay FILE`, `pw-play FILE`) and leaves it to finish; the
// baseline that a bell is measured against.
pid_t StartPlayer(const char* program, const std::string& file);
// Waits for the players started.
void WaitForPlayers(const std::vector<pid_t>& players);
