// hour_of_ticks [ticks]: the program's main window as main() builds it, running, fed an hour
// of ticks (3600 unless told) as fast as it draws them, visible and then minimised. Prints
// the resident memory after start, after the visible hour and after the minimised hour; a
// leak in the per-second path shows as growth. Bells are silent: a tick's cost is the window.
#include <QApplication>
#include <QFile>
#include <QTextStream>
#include <cstdio>
#include <cstdlib>

#include "ui/app/Application.h"
#include "ui/app/ProgramData.h"
#include "ui/main/frmMain.h"

namespace {

class SilentBells : public BellRinger {
public:
    void RingBell(BellSlot) override {}
    void PrepareBells() override {}
};

double residentMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
        }
    }
    return 0;
}

void feed(frmMain& window, int ticks) {
    for (int n = 0; n < ticks; ++n) {
        emit window.fTimer.tick();
        QApplication::processEvents();
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int ticks = argc > 1 ? std::atoi(argv[1]) : 3600;
    ApplicationSetup setup(app);
    QtPlatform platform;
    ProgramData data([](const TimerSettings&) { return std::make_unique<SilentBells>(); });
    frmMain window(data, platform.services());
    window.show();
    QApplication::processEvents();
    window.mnuStartTimer->trigger();
    window.fTimer.setEnabled(false);  // the ticks come from here, not from the clock
    feed(window, 10);
    const double started = residentMegabytes();
    feed(window, ticks);
    const double visible = residentMegabytes();
    window.showMinimized();
    QApplication::processEvents();
    feed(window, ticks);
    std::printf(
        "resident: %.1f MB after start, %.1f MB after %d ticks visible, %.1f MB after "
        "%d more minimised\n",
        started, visible, ticks, residentMegabytes(), ticks);
    return 0;
}
