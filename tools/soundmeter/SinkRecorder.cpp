#include "soundmeter/SinkRecorder.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

extern char** environ;

SinkRecorder::SinkRecorder(std::string source)
    : m_source(std::move(source)), m_thread([this] { run(); }) {}

SinkRecorder::SinkRecorder(std::vector<std::int16_t> samples, Clock::time_point start)
    : m_samples(std::move(samples)) {
    constexpr std::size_t chunk = kRate / 100;
    for (std::size_t end = chunk; end < m_samples.size() + chunk; end += chunk) {
        const std::size_t upTo = std::min(end, m_samples.size());
        m_stamps.push_back({upTo, start + std::chrono::microseconds(upTo * 1'000'000 / kRate)});
    }
}

SinkRecorder::~SinkRecorder() {
    stop();
}

void SinkRecorder::stop() {
    m_stopping = true;
    if (const int pid = m_pid; pid > 0) {
        kill(pid, SIGTERM);
    }
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

// Runs parec until stopped, starting it again whenever it ends: the server may have gone away
// and come back.
void SinkRecorder::run() {
    const std::string device = "--device=" + m_source;
    const char* argv[] = {"parec",        "--latency-msec=20", "--format=s16le", "--rate=44100",
                          "--channels=1", device.c_str(),      nullptr};
    while (!m_stopping) {
        int pipeFds[2];
        if (pipe(pipeFds) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        pid_t pid = 0;
        const int spawned =
            posix_spawnp(&pid, "parec", &actions, nullptr, const_cast<char* const*>(argv), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(pipeFds[1]);
        if (spawned != 0) {
            close(pipeFds[0]);
            return;
        }
        m_pid = pid;
        if (m_stopping) {
            kill(pid, SIGTERM);
        }
        char buffer[4096];
        std::size_t carry = 0;  // an odd byte left from the last read
        for (;;) {
            const ssize_t n = read(pipeFds[0], buffer + carry, sizeof buffer - carry);
            if (n <= 0) {
                break;
            }
            const auto arrived = Clock::now();
            const std::size_t bytes = carry + static_cast<std::size_t>(n);
            const std::size_t whole = bytes / 2;
            std::lock_guard lock(m_mutex);
            const std::size_t before = m_samples.size();
            m_samples.resize(before + whole);
            std::memcpy(m_samples.data() + before, buffer, whole * 2);
            m_stamps.push_back({m_samples.size(), arrived});
            carry = bytes % 2;
            if (carry) {
                buffer[0] = buffer[bytes - 1];
            }
        }
        close(pipeFds[0]);
        waitpid(pid, nullptr, 0);
        m_pid = 0;
        if (!m_stopping) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
}

bool SinkRecorder::waitForSamples(std::chrono::milliseconds limit) {
    const auto until = Clock::now() + limit;
    while (Clock::now() < until) {
        {
            std::lock_guard lock(m_mutex);
            if (!m_samples.empty()) {
                return true;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

std::vector<std::int16_t> SinkRecorder::samples() const {
    std::lock_guard lock(m_mutex);
    return m_samples;
}

// A chunk arrives after its last sample sounded, never before, so the stamp that puts the
// sample earliest is the closest. Only the chunks of the next quarter second are asked, as a
// longer stretch would let the stream's drift in, and one across a pause would be wrong.
SinkRecorder::Clock::time_point SinkRecorder::timeOf(std::size_t index) const {
    std::lock_guard lock(m_mutex);
    auto first = std::ranges::lower_bound(m_stamps, index + 1, {}, &Stamp::end);
    if (first == m_stamps.end()) {
        return m_stamps.empty() ? Clock::time_point{} : m_stamps.back().arrived;
    }
    const std::size_t window = kRate / 4;
    auto best = first->arrived;
    for (auto it = first; it != m_stamps.end() && it->end <= first->end + window; ++it) {
        const auto samplesAfter = static_cast<std::int64_t>(it->end - index - 1);
        const auto at = it->arrived - std::chrono::microseconds(samplesAfter * 1'000'000 / kRate);
        // Samples that arrived after a pause belong to a later stretch of time.
        best = std::min(best, at);
    }
    return best;
}

pid_t StartPlayer(const char* program, const std::string& file) {
    const char* argv[] = {program, file.c_str(), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, program, nullptr, nullptr, const_cast<char* const*>(argv), environ) !=
        0) {
        return -1;
    }
    return pid;
}

void WaitForPlayers(const std::vector<pid_t>& players) {
    for (pid_t pid : players) {
        if (pid > 0) {
            waitpid(pid, nullptr, 0);
        }
    }
}
