#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

#include "AppInfo.h"
#include "settings/QtSettingsStore.h"
#include "ui/main/AppIcon.h"
#include "ui/main/ProgramData.h"
#include "ui/main/frmMain.h"
#include "ui/platform/BellPlayer.h"
#include "ui/platform/ColorChooser.h"
#include "ui/platform/FileChooser.h"
#include "ui/platform/FontChooser.h"
#include "ui/platform/MessageBox.h"
#include "ui/platform/TerminationSignals.h"

// The start routine: program-wide data first, then the main window, shown without waiting.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(AppInfo::Title));
    QApplication::setOrganizationName(QString::fromUtf8(AppInfo::Title));
    QApplication::setApplicationVersion(QString::fromUtf8(AppInfo::FileVersion));
    QApplication::setWindowIcon(AppIcon());
    // The installed launcher's id, so that docks group the window under the launcher's icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.rondelay.Rondelay"));
    // The interface is Japanese wherever it runs, Qt's own dialogs included.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_ja"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTexts);
    }
    // The window design's font, with the same metrics and Japanese glyphs.
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});

    QtSettingsStore store;
    QtMessageBox messages;
    QtFontChooser fonts(messages);
    QtColorChooser colors;
    PlatformServices platform{store, fonts, messages, colors,
                              [] { return std::make_unique<QtFileChooser>(); }};
    ProgramData data([](const TimerSettings& settings) -> std::unique_ptr<BellRinger> {
        return std::make_unique<BellPlayer>(settings);
    });

    frmMain window(data, platform);
    // Every way out saves (or deletes) the settings once: the window's close box and menus,
    // a signal, or the session ending.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &window,
                     &frmMain::close);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, &frmMain::Form_Unload);
    window.show();
    const int result = app.exec();
    store.sync();
    return result;
}
