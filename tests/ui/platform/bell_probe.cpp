// Rings bells through the real BellPlayer so that the audio test can record them.
//
//   bell_probe [--wav SLOT=PATH]... [--path SLOT=PATH]... [--ring SLOT@MS]... [--quit-after MS]
//
// --wav makes SLOT a WAV bell playing PATH; --path only stores PATH, leaving the slot on the
// built-in beep. Each --ring rings SLOT MS milliseconds after start-up.

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>
#include <QTimer>
#include <climits>
#include <cstdlib>
#include <utility>

#include "settings/TimerSettings.h"
#include "ui/platform/BellPlayer.h"

namespace {

// Leaves at once on an argument that the audio test did not mean to give.
[[noreturn]] void Bad(const QString& argument) {
    QTextStream(stderr) << "bell_probe: bad argument " << argument << '\n';
    std::exit(2);
}

// A whole number from 0 to `limit`, taken from `text` within `argument`.
int Number(const QString& text, const QString& argument, int limit = INT_MAX) {
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 0 || n > limit) {
        Bad(argument);
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
    for (const auto& [option, flag] : {std::pair{"wav", 1}, std::pair{"path", 0}}) {
        for (const QString& value : parser.values(option)) {
            const auto [slot, path] = SplitSlot(value, '=');
            settings.BellFlag[slot] = static_cast<std::int16_t>(flag);
            settings.BellFile[slot] = path.toStdString();
        }
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
