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
#include <optional>
#include <utility>

#include "settings/TimerSettings.h"
#include "ui/platform/BellPlayer.h"

namespace {

std::optional<int> ParseSlot(const QString& text) {
    bool ok = false;
    const int slot = text.toInt(&ok);
    if (!ok || slot < 0 || slot >= BellSlotCount) {
        return std::nullopt;
    }
    return slot;
}

// "SLOT<separator>REST" into the slot and REST.
std::optional<std::pair<int, QString>> SplitSlot(const QString& text, QChar separator) {
    const auto at = text.indexOf(separator);
    if (at < 0) {
        return std::nullopt;
    }
    const auto slot = ParseSlot(text.left(at));
    if (!slot) {
        return std::nullopt;
    }
    return std::pair{*slot, text.mid(at + 1)};
}

int Fail(const QString& message) {
    QTextStream(stderr) << "bell_probe: " << message << '\n';
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);

    QCommandLineParser parser;
    const QCommandLineOption wav(QStringLiteral("wav"), QStringLiteral("WAV bell"),
                                 QStringLiteral("slot=path"));
    const QCommandLineOption path(QStringLiteral("path"), QStringLiteral("stored path only"),
                                  QStringLiteral("slot=path"));
    const QCommandLineOption ring(QStringLiteral("ring"), QStringLiteral("ring a slot"),
                                  QStringLiteral("slot@ms"));
    const QCommandLineOption quitAfter(QStringLiteral("quit-after"), QStringLiteral("run time"),
                                       QStringLiteral("ms"), QStringLiteral("3000"));
    parser.addOptions({wav, path, ring, quitAfter});
    parser.process(app);

    TimerSettings settings;
    for (const auto& [option, flag] : {std::pair{wav, 1}, std::pair{path, 0}}) {
        for (const QString& value : parser.values(option)) {
            const auto parsed = SplitSlot(value, QLatin1Char('='));
            if (!parsed) {
                return Fail(QStringLiteral("bad --%1 %2").arg(option.names().first(), value));
            }
            const auto index = static_cast<std::size_t>(parsed->first);
            settings.BellFlag[index] = static_cast<std::int16_t>(flag);
            settings.BellFile[index] = parsed->second.toStdString();
        }
    }

    BellPlayer player(settings);
    for (const QString& value : parser.values(ring)) {
        const auto parsed = SplitSlot(value, QLatin1Char('@'));
        bool ok = false;
        const int delay = parsed ? parsed->second.toInt(&ok) : 0;
        if (!ok || delay < 0) {
            return Fail(QStringLiteral("bad --ring %1").arg(value));
        }
        const BellSlot slot = parsed->first;
        QTimer::singleShot(delay, Qt::PreciseTimer, &player,
                           [&player, slot] { player.RingBell(slot); });
    }

    bool ok = false;
    const int runTime = parser.value(quitAfter).toInt(&ok);
    if (!ok || runTime < 0) {
        return Fail(QStringLiteral("bad --quit-after"));
    }
    QTimer::singleShot(runTime, &app, &QCoreApplication::quit);
    return app.exec();
}
