// Rings bells through the real BellPlayer of a system whose sound cannot be recorded where it
// runs (Windows, under Wine), for bell_probe, which records and judges them on the host.
//
//   bell_ringer [--wav SLOT=PATH]... [--path SLOT=PATH]... [--ready PATH]
//
// --wav makes SLOT a WAV bell playing PATH; --path only stores PATH, leaving the slot on the
// beep. Once it runs it writes the --ready file; then each line read from standard input rings
// its slots in one pass ("0", "0+2"). The end of the input ends the program.
#include <QApplication>
#include <QFile>
#include <QStringList>
#include <QTimer>
#include <iostream>
#include <string>
#include <thread>

#include "settings/TimerSettings.h"
#include "ui/platform/sound/BellPlayer.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TimerSettings settings;
    const QStringList args = app.arguments().mid(1);
    QString ready;
    for (qsizetype i = 0; i + 1 < args.size(); i += 2) {
        const QString& value = args[i + 1];
        if (args[i] == "--ready") {
            ready = value;
            continue;
        }
        const qsizetype at = value.indexOf(QLatin1Char('='));
        const auto slot = static_cast<std::size_t>(value.left(at).toInt());
        if (slot >= settings.BellFlag.size() || (args[i] != "--wav" && args[i] != "--path")) {
            std::cerr << "bell_ringer: bad argument " << args[i].toStdString() << "\n";
            return 2;
        }
        settings.BellFlag[slot] = args[i] == "--wav";
        settings.BellFile[slot] = value.mid(at + 1).toStdString();
    }
    BellPlayer player(settings);
    player.PrepareBells();
    QTimer::singleShot(0, &app, [&ready] { QFile(ready).open(QIODevice::WriteOnly); });

    // Standard input blocks, so it is read on a thread of its own; the rings are the window's.
    std::thread reader([&] {
        for (std::string line; std::getline(std::cin, line);) {
            QMetaObject::invokeMethod(&app, [&player, rung = QString::fromStdString(line)] {
                for (const QString& slot : rung.split(QLatin1Char('+'), Qt::SkipEmptyParts)) {
                    player.RingBell(slot.trimmed().toInt());
                }
            });
        }
        QMetaObject::invokeMethod(&app, &QCoreApplication::quit);
    });
    const int status = app.exec();
    reader.join();
    return status;
}
