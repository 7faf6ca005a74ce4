// How late a bell is heard: from RingBell to the first sample of its sound in the monitor of
// the default sink, side by side with command-line players of the same files. Run it beside
// a sound server with a sink named "rec":
//
//   scripts/sound-server.sh pulseaudio build/bench/bell_latency [--count N] [--silence S]
//       [--after-silence N]
//   SOUND_SERVER_SUSPEND=5 scripts/sound-server.sh pulseaudio build/bench/bell_latency
//   scripts/sound-server.sh pipewire build/bench/bell_latency --pw-play
//
// In each round it plays, 700 ms apart: the beep by paplay, the beep by the player, the WAV
// by paplay (and by pw-play), the WAV by the player, and slot 0 then slot 2 in one tick; then
// it rings the WAV after --silence seconds of quiet, --after-silence times. Last it measures
// the CPU the program costs while the timer waits between bells, against the same program
// before it had a player.

#include <sys/resource.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>

#include "settings/TimerSettings.h"
#include "soundmeter/HeardBells.h"
#include "ui/platform/sound/BellPlayer.h"

namespace {

using Clock = SinkRecorder::Clock;

struct Event {
    std::string kind;
    Clock::time_point at;
};

// Runs the event loop for `ms` milliseconds.
void Wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// A 0.5 s tone at 440 Hz, 16-bit mono, as a user's WAV bell might be.
QByteArray ToneWav() {
    constexpr int kRate = 44100;
    constexpr int kFrames = kRate / 2;
    QByteArray wav;
    auto put32 = [&wav](quint32 v) { wav.append(reinterpret_cast<const char*>(&v), 4); };
    auto put16 = [&wav](quint16 v) { wav.append(reinterpret_cast<const char*>(&v), 2); };
    wav.append("RIFF");
    put32(36 + kFrames * 2);
    wav.append("WAVEfmt ");
    put32(16);
    put16(1);
    put16(1);
    put32(kRate);
    put32(kRate * 2);
    put16(2);
    put16(16);
    wav.append("data");
    put32(kFrames * 2);
    for (int i = 0; i < kFrames; ++i) {
        put16(static_cast<quint16>(
            static_cast<qint16>(16000 * std::sin(2 * M_PI * 440 * i / kRate))));
    }
    return wav;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOptions({{"count", "rounds", "n", "50"},
                       {"silence", "seconds of quiet before a bell", "s", "60"},
                       {"after-silence", "bells after quiet", "n", "3"},
                       {"idle", "seconds of idle CPU measuring", "s", "60"},
                       {"pw-play", "also play with pw-play"},
                       {"source", "the monitor to record", "name", "rec.monitor"}});
    parser.process(app);
    const int rounds = parser.value("count").toInt();
    const int silenceMs = parser.value("silence").toInt() * 1000;
    const int afterSilence = parser.value("after-silence").toInt();
    const int idleMs = parser.value("idle").toInt() * 1000;
    const bool pwPlay = parser.isSet("pw-play");

    QTemporaryDir scratch;
    const std::string wavFile = scratch.filePath("tone.wav").toStdString();
    {
        QFile out(QString::fromStdString(wavFile));
        out.open(QIODevice::WriteOnly);
        out.write(ToneWav());
    }
    // The baseline of idle CPU: the same program before it has a player or a recording.
    const double cpuAtStart = CpuSeconds();
    Wait(idleMs);
    const double idleCpuWithout = CpuSeconds() - cpuAtStart;

    TimerSettings settings;
    settings.BellFlag[0] = 1;
    settings.BellFile[0] = wavFile;  // slot 2 stays the beep
    BellPlayer player(settings);
    player.PrepareBells();
    const std::string beepFile = scratch.filePath("beep.wav").toStdString();
    QFile::copy(":/sounds/beep.wav", QString::fromStdString(beepFile));

    SinkRecorder recorder(parser.value("source").toStdString());
    // A suspended sink's monitor is silent until something plays.
    WaitForPlayers({StartPlayer("paplay", beepFile)});
    if (!recorder.waitForSamples(std::chrono::seconds(5))) {
        std::fprintf(stderr, "bell_latency: nothing recorded from %s; is a sound server up?\n",
                     qPrintable(parser.value("source")));
        return 1;
    }
    Wait(1000);

    std::vector<Event> events;
    std::vector<pid_t> players;
    auto at = [&](const std::string& kind, const std::function<void()>& act) {
        events.push_back({kind, Clock::now()});
        act();
        Wait(700);
    };
    for (int r = 0; r < rounds; ++r) {
        at("paplay, beep", [&] { players.push_back(StartPlayer("paplay", beepFile)); });
        at("player, beep", [&] { player.RingBell(2); });
        at("paplay, WAV", [&] { players.push_back(StartPlayer("paplay", wavFile)); });
        if (pwPlay) {
            at("pw-play, WAV", [&] { players.push_back(StartPlayer("pw-play", wavFile)); });
        }
        at("player, WAV", [&] { player.RingBell(0); });
        at("player, slot 0 then 2", [&] {
            player.RingBell(0);
            player.RingBell(2);
        });
    }
    for (int i = 0; i < afterSilence; ++i) {
        Wait(silenceMs);
        at("player, WAV after quiet", [&] { player.RingBell(0); });
        Wait(silenceMs);
        at("paplay, WAV after quiet", [&] { players.push_back(StartPlayer("paplay", wavFile)); });
    }
    Wait(1000);
    recorder.stop();
    WaitForPlayers(players);
    // The player waiting between bells, the recording stopped: nothing should run.
    const double cpuBefore = CpuSeconds();
    Wait(idleMs);
    const double idleCpu = CpuSeconds() - cpuBefore;

    std::vector<Clock::time_point> times;
    for (const Event& e : events) {
        times.push_back(e.at);
    }
    const std::vector<HeardBell> heard =
        MatchRings(recorder, times, std::chrono::milliseconds(600));
    std::map<std::string, std::vector<double>> late;
    std::map<std::string, int> rung;
    for (std::size_t i = 0; i < events.size(); ++i) {
        ++rung[events[i].kind];
        if (heard[i].heard) {
            late[events[i].kind].push_back(heard[i].lateMs);
        }
    }
    std::printf("%-26s %6s %6s %11s %10s\n", "what", "rung", "heard", "median ms", "worst ms");
    for (const auto& [kind, count] : rung) {
        const Spread s = SpreadOf(late[kind]);
        std::printf("%-26s %6d %6zu %11.1f %10.1f\n", kind.c_str(), count, late[kind].size(),
                    s.median, s.worst);
    }
    auto perHour = [idleMs](double seconds) { return seconds * 3600.0 * 1000 / idleMs; };
    std::printf(
        "CPU while waiting %d s between bells: %.1f ms (%.2f s an hour); the same program "
        "before it had a player: %.1f ms (%.2f s an hour)\n",
        idleMs / 1000, idleCpu * 1000, perHour(idleCpu), idleCpuWithout * 1000,
        perHour(idleCpuWithout));
    return 0;
}
