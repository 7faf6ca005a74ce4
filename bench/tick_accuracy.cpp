// tick_accuracy [seconds] [--bell PATH]: runs the TickSource (1000 ms) next to a plain QTimer of
// 1000 ms with the default timer type, the baseline, for the given time (60 s by default), and
// prints how many ticks each delivered, how late they came against their ideal times anchor +
// n * 1000 ms, and the CPU time each used. Each source has a thread and event loop of its own,
// so that the CPU time is its own; both start at the same moment.
//
// With --bell, slot 0 is a WAV bell playing PATH, prepared as the source starts and rung at its
// every tick, as the window rings bells from a tick: wherever the file is (a FIFO, a mount that
// hangs), the ticks must come on time. The ticks are printed one by one.
#ifdef _WIN32
#include <windows.h>
#endif

#include <QApplication>
#include <QStringList>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "settings/TimerSettings.h"
#include "ui/platform/sound/BellPlayer.h"
#include "ui/platform/timing/TickSource.h"

namespace {

using Clock = std::chrono::steady_clock;
using MsDouble = std::chrono::duration<double, std::milli>;
constexpr std::chrono::milliseconds kInterval{1000};

// The thread's own CPU time, where the system counts it: POSIX's thread clock, Windows' thread
// times. Elsewhere the whole process's, which counts both sources together.
std::chrono::nanoseconds threadCpuTime() {
#if defined(RONDELAY_THREAD_CPU_CLOCK)
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return std::chrono::seconds(ts.tv_sec) + std::chrono::nanoseconds(ts.tv_nsec);
#elif defined(_WIN32)
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ticks = [](const FILETIME& t) {
        return (static_cast<std::int64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return std::chrono::nanoseconds((ticks(kernel) + ticks(user)) * 100);
#else
    const std::chrono::duration<double> seconds(static_cast<double>(std::clock()) / CLOCKS_PER_SEC);
    return std::chrono::duration_cast<std::chrono::nanoseconds>(seconds);
#endif
}

// One tick source running on its own thread. Everything but the constructor's setup is done
// in that thread; the main thread reads the results once the thread has stopped.
class Probe {
public:
    Probe(std::string name, QObject* source, std::function<void(bool)> run)
        : m_name(std::move(name)), m_source(source), m_run(std::move(run)) {
        m_source->moveToThread(&m_thread);
        QObject::connect(&m_thread, &QThread::finished, m_source, &QObject::deleteLater);
        m_thread.start();
    }
    ~Probe() {
        m_thread.quit();
        m_thread.wait();
    }

    void recordTick() { m_ticks.push_back(Clock::now()); }

    void startAt(Clock::time_point at) {
        QMetaObject::invokeMethod(m_source, [this, at] {
            std::this_thread::sleep_until(at);
            m_cpuAtStart = threadCpuTime();
            m_anchor = Clock::now();
            m_run(true);
        });
    }

    void stop() {
        QMetaObject::invokeMethod(
            m_source,
            [this] {
                m_run(false);
                m_cpu = threadCpuTime() - m_cpuAtStart;
            },
            Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }

    void printTicks() const {
        for (std::size_t i = 0; i < m_ticks.size(); ++i) {
            const auto ideal = m_anchor + static_cast<long>(i + 1) * kInterval;
            std::printf("  tick %zu: %.3f ms\n", i + 1, MsDouble(m_ticks[i] - ideal).count());
        }
    }

    void printRow() const {
        std::vector<double> lateness;
        for (std::size_t i = 0; i < m_ticks.size(); ++i) {
            const auto ideal = m_anchor + static_cast<long>(i + 1) * kInterval;
            lateness.push_back(MsDouble(m_ticks[i] - ideal).count());
        }
        std::printf("%-28s %6zu", m_name.c_str(), m_ticks.size());
        if (lateness.empty()) {
            std::printf(" %10s %10s %10s %11s", "-", "-", "-", "-");
        } else {
            const double drift = lateness.back();
            std::vector<double> sorted = lateness;
            std::sort(sorted.begin(), sorted.end());
            const std::size_t mid = sorted.size() / 2;
            const double median =
                sorted.size() % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
            std::printf(" %10.3f %10.3f %10.3f %11.3f", drift, median, sorted.back(),
                        sorted.front());
        }
        std::printf(" %10.3f\n", MsDouble(m_cpu).count());
    }

private:
    std::string m_name;
    QObject* m_source;
    std::function<void(bool)> m_run;
    QThread m_thread;
    Clock::time_point m_anchor;
    std::vector<Clock::time_point> m_ticks;
    std::chrono::nanoseconds m_cpuAtStart{0};
    std::chrono::nanoseconds m_cpu{0};
};

}  // namespace

int main(int argc, char** argv) {
    const QStringList args = [&] {
        QStringList all;
        for (int i = 1; i < argc; ++i) {
            all << QString::fromLocal8Bit(argv[i]);
        }
        return all;
    }();
    const qsizetype bellAt = args.indexOf("--bell");
    const QString bellPath = bellAt >= 0 ? args.value(bellAt + 1) : QString();
    const int seconds = args.isEmpty() || bellAt == 0 ? 60 : args.first().toInt();
    if (seconds <= 0 || (bellAt >= 0 && bellPath.isEmpty())) {
        std::fprintf(stderr, "usage: tick_accuracy [seconds] [--bell PATH]\n");
        return 2;
    }
    // The desktop beep, the bells' last resort, needs the window system.
    std::unique_ptr<QCoreApplication> app = bellPath.isEmpty()
                                                ? std::make_unique<QCoreApplication>(argc, argv)
                                                : std::make_unique<QApplication>(argc, argv);

    TimerSettings settings;
    settings.BellFlag[0] = 1;
    settings.BellFile[0] = bellPath.toStdString();
    std::unique_ptr<BellPlayer> bells;  // lives in the source's thread, while it runs
    auto* tickSource = new TickSource;
    tickSource->setInterval(static_cast<int>(kInterval.count()));
    Probe precise(bellPath.isEmpty() ? "TickSource" : "TickSource, ringing", tickSource,
                  [&](bool on) {
                      tickSource->setEnabled(on);
                      if (!on) {
                          bells.reset();
                      }
                  });
    if (!bellPath.isEmpty()) {
        // Prepared in the source's thread, where its rings will come, before the clock starts.
        QMetaObject::invokeMethod(
            tickSource,
            [&] {
                bells = std::make_unique<BellPlayer>(settings);
                bells->PrepareBells();
            },
            Qt::BlockingQueuedConnection);
    }
    QObject::connect(tickSource, &TickSource::tick, tickSource, [&] {
        precise.recordTick();
        if (bells) {
            bells->RingBell(0);
        }
    });

    auto* timer = new QTimer;
    timer->setInterval(kInterval);
    Probe baseline("QTimer (default, baseline)", timer, [timer](bool on) {
        if (on) {
            timer->start();
        } else {
            timer->stop();
        }
    });
    QObject::connect(timer, &QTimer::timeout, timer, [&baseline] { baseline.recordTick(); });

    std::printf("tick_accuracy: %d s, interval %lld ms, each source on its own thread\n", seconds,
                static_cast<long long>(kInterval.count()));
    const auto start = Clock::now() + std::chrono::milliseconds(300);
    precise.startAt(start);
    baseline.startAt(start);
    // Half an interval past the last tick due, so that a source on time has delivered it.
    std::this_thread::sleep_until(start + std::chrono::seconds(seconds) + kInterval / 2);
    precise.stop();
    baseline.stop();

    std::printf("%-28s %6s %10s %10s %10s %11s %10s\n", "source", "ticks", "drift ms", "median ms",
                "latest ms", "earliest ms", "CPU ms");
    precise.printRow();
    baseline.printRow();
    if (!bellPath.isEmpty()) {
        std::printf("ringing %s at every tick; the ticks of the TickSource:\n",
                    qPrintable(bellPath));
        precise.printTicks();
    }
    std::printf(
        "lateness of tick n against anchor + n * %lld ms, negative if early; "
        "drift is the last tick's\n",
        static_cast<long long>(kInterval.count()));
    return 0;
}
