#pragma once

#include <QTranslator>
#include <memory>

#include "engine/BellRinger.h"
#include "settings/QtSettingsStore.h"
#include "settings/TimerSettings.h"
#include "ui/app/PlatformServices.h"
#include "ui/platform/dialogs/ColorChooser.h"
#include "ui/platform/dialogs/FontChooser.h"
#include "ui/platform/dialogs/MessageBox.h"

class QApplication;

// Names, version, icon, language and fonts of the whole program, set once the QApplication
// exists and before any window. Keeps Qt's Japanese texts installed while it lives.
class ApplicationSetup {
public:
    explicit ApplicationSetup(QApplication& app);

private:
    QTranslator m_qtTexts;
};

// The real platform services: the per-user store and Qt's choosers and message box.
class QtPlatform {
public:
    QtPlatform();

    PlatformServices& services() { return m_services; }
    // Writes the store to disk; the end of the run calls it after the last save. Gives the
    // line that says why the write failed, or nothing.
    QString syncStore() { return m_store.sync() ? QString() : m_store.syncFailure(); }

private:
    QtSettingsStore m_store;
    QtMessageBox m_messages;
    QtFontChooser m_fonts;
    QtColorChooser m_colors;
    PlatformServices m_services;
};

// The bells as the program plays them.
std::unique_ptr<BellRinger> MakeBellPlayer(const TimerSettings& settings);
