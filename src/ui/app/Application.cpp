#include "ui/app/Application.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>

#include "AppInfo.h"
#include "ui/app/AppIcon.h"
#include "ui/platform/dialogs/FileChooser.h"
#include "ui/platform/sound/BellPlayer.h"

ApplicationSetup::ApplicationSetup(QApplication& app) {
    QApplication::setApplicationName(QString::fromUtf8(AppInfo::Title));
    QApplication::setOrganizationName(QString::fromUtf8(AppInfo::Title));
    QApplication::setApplicationVersion(QString::fromUtf8(AppInfo::FileVersion));
    QApplication::setWindowIcon(AppIcon());
    // The installed launcher's id, so that docks group the window under the launcher's icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.rondelay.Rondelay"));
    // The interface is Japanese wherever it runs, Qt's own dialogs included.
    if (m_qtTexts.load(QStringLiteral("qtbase_ja"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        app.installTranslator(&m_qtTexts);
    }
    // The window design's font where it is missing, as on Linux: the font of the same metrics,
    // then the Japanese fonts of Linux desktops and of Windows, so that the texts never show as
    // boxes. An English Windows names the design's font in English.
    const QStringList japanese{QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
                               QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Yu Gothic UI"),
                               QStringLiteral("Meiryo")};
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), japanese);
    // The menus' Japanese, in the desktop's font, takes that same face rather than the
    // fixed-pitch one fontconfig would pick: one Japanese font loaded instead of two is 2 MB
    // less resident, and proportional kana suit menus as they do on the design's system.
    QFont::insertSubstitutions(QApplication::font().family(), japanese);
}

QtPlatform::QtPlatform()
    : m_fonts(m_messages), m_services{m_store, m_fonts, m_messages, m_colors, [] {
                                          return std::make_unique<QtFileChooser>();
                                      }} {}

std::unique_ptr<BellRinger> MakeBellPlayer(const TimerSettings& settings) {
    return std::make_unique<BellPlayer>(settings);
}
