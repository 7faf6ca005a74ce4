// Rings bells through the real BellPlayer so that the audio test can record them.
//
//   bell_probe [--wav SLOT=PATH]... [--path SLOT=PATH]... [--ring SLOT@MS]... [--quit-after MS]
//
// --wav makes SLOT a WAV bell playing PATH; --path only stores PATH, leaving the slot on the
// built-in beep. Each --ring rings SLOT MS milliseconds after start-up.

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <utility>

#include "settings/TimerSettings.h"
#include "ui/platform/BellPlayer.h"

namespace {

// A whole number from 0 to `limit` (by default a minute of milliseconds, more than the audio
// test ever waits), taken from `text` within `argument`. Leaves at once on an argument that
// the audio test did not mean to give.
int Number(const QString& text, const QString& argument, int limit = 60'000) {
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 0 || n > limit) {
        qFatal("bell_probe: bad argument %s", qPrintable(argument));
    }
    return n;
}

// "SLOT<separator>REST" into the slot and REST.
std::pair<int, QString> SplitSlot(const QString& text, char separator) {
    const auto at = text.indexOf(QLatin1Char(separator));
    return {Number(at < 0 ? QString() : text.left(at), text, BellSlotCount - 1), text.mid(at + 1)};
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOptions({{"wav", "WAV bell", "slot=path"},
                       {"path", "stored path only", "slot=path"},
                       {"ring", "ring a slot", "slot@ms"},
                       {"quit-after", "run time", "ms", "3000"}});
    parser.process(app);

    TimerSettings settings;
    // The --wav values make WAV bells; the --path values only store their path.
    const QStringList wavs = parser.values("wav");
    for (const QString& value : wavs + parser.values("path")) {
        const auto [slot, path] = SplitSlot(value, '=');
        settings.BellFlag[slot] = wavs.contains(value);
        settings.BellFile[slot] = path.toStdString();
    }

    BellPlayer player(settings);
    for (const QString& value : parser.values("ring")) {
        const auto [slot, delay] = SplitSlot(value, '@');
        QTimer::singleShot(Number(delay, value), Qt::PreciseTimer, &player,
                           [&player, slot = slot] { player.RingBell(slot); });
    }
    const QString runTime = parser.value("quit-after");
    QTimer::singleShot(Number(runTime, "--quit-after " + runTime), &app, &QCoreApplication::quit);
    return app.exec();
}
