// program_bells [rounds]: bells rung by the program's own tick path (the main window, the engine
// and the real bell player, as main() builds them, the window minimised), heard in the monitor
// of the default sink. Each round rings a lone slot-0 bell at a round's end and then slot 0
// and the finish bell in one tick at the round-mode stop, both delivered by the tick source;
// both are timed from the tick to the sound's onset. The ticks in between come as fast as the
// window takes them. Run it beside a
// sound server with a sink named "rec":
//
//   scripts/sound-server.sh pulseaudio|pipewire xvfb-run -a build/bench/program_bells 20
#include <QApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "soundmeter/HeardBells.h"
#include "ui/app/Application.h"
#include "ui/app/ProgramData.h"
#include "ui/main/frmMain.h"

namespace {

using Clock = SinkRecorder::Clock;

void Wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

void Ticks(frmMain& window, int count) {
    for (int n = 0; n < count; ++n) {
        emit window.fTimer.tick();
        QApplication::processEvents();
    }
}

// Lets the tick source deliver the next tick as it does in the program, one second after it is
// turned on, and gives that moment: the source keeps it to within a millisecond.
Clock::time_point RealTick(frmMain& window) {
    const Clock::time_point due = Clock::now() + std::chrono::seconds(1);
    window.fTimer.setEnabled(true);
    return due;
}

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir config;  // the defaults, not the user's settings
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 20;
    ApplicationSetup setup(app);
    QtPlatform platform;
    ProgramData data(MakeBellPlayer);
    frmMain window(data, platform.services());
    window.show();
    window.showMinimized();
    // A bell at every minute's end, the clock cleared each round, the stop after two rounds:
    // tick 60 rings slot 0 alone, tick 120 slot 0 and the finish bell together.
    TimerSettings& s = data.settings;
    s.IntFlag = 1;
    s.IntMin = 1;
    s.NextFlag = 0;
    s.ClearFlag = 1;
    s.FinFlag = 1;
    s.FinNum = std::to_string(2);  // GCC 12 warns wrongly on assigning a literal here
    data.bells->PrepareBells();

    SinkRecorder recorder("rec.monitor");
    if (!recorder.waitForSamples(std::chrono::seconds(5))) {
        std::fprintf(stderr, "program_bells: nothing recorded; is a sound server up?\n");
        return 1;
    }
    std::vector<Clock::time_point> lone;
    std::vector<Clock::time_point> stop;
    std::vector<Clock::time_point> all;
    for (int r = 0; r < rounds; ++r) {
        window.mnuClearTimer->trigger();
        window.mnuStartTimer->trigger();
        window.fTimer.setEnabled(false);  // the ticks come from here
        Ticks(window, 59);
        Wait(700);
        lone.push_back(RealTick(window));
        all.push_back(lone.back());
        Wait(1500);
        window.fTimer.setEnabled(false);
        Ticks(window, 59);
        Wait(700);
        stop.push_back(RealTick(window));  // the stop turns the tick source off itself
        all.push_back(stop.back());
        Wait(1700);
    }
    recorder.stop();
    const std::vector<HeardBell> heard = MatchRings(recorder, all, std::chrono::milliseconds(600));
    std::vector<double> loneLate;
    std::vector<double> stopLate;
    for (std::size_t i = 0; i < heard.size(); ++i) {
        if (heard[i].heard) {
            (i % 2 == 0 ? loneLate : stopLate).push_back(heard[i].lateMs);
        }
    }
    const Spread l = SpreadOf(loneLate);
    const Spread f = SpreadOf(stopLate);
    std::printf("%-34s %6s %6s %11s %10s\n", "tick to sound", "rung", "heard", "median ms",
                "worst ms");
    std::printf("%-34s %6zu %6zu %11.1f %10.1f\n", "slot 0 alone", lone.size(), loneLate.size(),
                l.median, l.worst);
    std::printf("%-34s %6zu %6zu %11.1f %10.1f\n", "slot 0 and the finish bell", stop.size(),
                stopLate.size(), f.median, f.worst);
    return 0;
}
