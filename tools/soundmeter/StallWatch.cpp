#include "soundmeter/StallWatch.h"

StallWatch::StallWatch()
    : m_thread([this] {
          using namespace std::chrono;
          auto last = steady_clock::now();
          while (!m_stopping) {
              std::this_thread::sleep_for(milliseconds(5));
              const auto now = steady_clock::now();
              if (now - last >= milliseconds(50)) {
                  std::lock_guard lock(m_mutex);
                  m_stalls.push_back({last, now});
              }
              last = now;
          }
      }) {}

StallWatch::~StallWatch() {
    m_stopping = true;
    m_thread.join();
}

std::vector<Stall> StallWatch::stalls() const {
    std::lock_guard lock(m_mutex);
    return m_stalls;
}
