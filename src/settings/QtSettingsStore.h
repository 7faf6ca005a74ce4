#pragma once

#include <QSettings>

#include "settings/SettingsStore.h"

// The real per-user store: QSettings in its native format, organisation and application
// "Rondelay" (on Linux $XDG_CONFIG_HOME/Rondelay/Rondelay.conf). Texts are UTF-8.
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();

    std::string GetSetting(std::string_view section, std::string_view key,
                           std::string_view defaultText) override;
    void SaveSetting(std::string_view section, std::string_view key,
                     std::string_view text) override;
    void DeleteSetting(std::string_view section) override;

    // Writes pending changes to disk and reports whether that worked. QSettings replaces the
    // file whole (a temporary file renamed over it), so a failed write leaves the old file.
    bool sync();
    // After a failed sync: one line naming the file and why it could not be written.
    QString syncFailure() const { return m_failure; }

private:
    QSettings m_settings;
    QString m_failure;
};
