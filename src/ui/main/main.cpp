#include <QApplication>
#include <cstdio>

#include "ui/app/Application.h"
#include "ui/app/ProgramData.h"
#include "ui/main/frmMain.h"
#include "ui/platform/TerminationSignals.h"

namespace {

// The user's changes are lost when the store cannot be written: say so, where a log keeps it.
void ReportStoreFailure(const QString& failure) {
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "%s\n", failure.toLocal8Bit().constData());
    }
}

}  // namespace

// The start routine: program-wide data first, then the main window, shown without waiting.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ApplicationSetup setup(app);
    QtPlatform platform;
    ProgramData data(MakeBellPlayer);

    frmMain window(data, platform.services());
    // Every way out saves (or deletes) the settings once: the window's close box and menus,
    // a signal, or the session ending.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &window,
                     &frmMain::close);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, &frmMain::Form_Unload);
    // Logging off or shutting down: Windows may end the program as soon as this returns.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&] {
        window.CommitSettings();
        ReportStoreFailure(platform.syncStore());
    });
    window.show();
    const int result = app.exec();
    ReportStoreFailure(platform.syncStore());
    return result;
}
