// Rings bells through the real BellPlayer of a system whose sound cannot be recorded where it
// runs (Windows, under Wine), for bell_probe, which records and judges them on the host.
//
//   bell_ringer [--wav SLOT=PATH]... [--path SLOT=PATH]... [--ready PATH]
//
// --wav and --path give the bells (BellArguments.h). Once it runs it writes the --ready file; then
// each line read from standard input rings its slots in one pass ("0", "0+2"). The end of the input
// ends the program.
#include <QApplication>
#include <QFile>
#include <QTimer>
#include <iostream>
#include <string>
#include <thread>

#include "BellArguments.h"
#include "ui/platform/sound/BellPlayer.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCommandLineParser parser;
    AddBellOptions(parser);
    parser.addOption({"ready", "written once it runs", "path"});
    parser.process(app);
    const TimerSettings settings = BellSettings(parser);
    BellPlayer player(settings);
    player.PrepareBells();
    QTimer::singleShot(0, &app, [&] { QFile(parser.value("ready")).open(QIODevice::WriteOnly); });

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
