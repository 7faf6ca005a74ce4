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

    // Writes pending changes to disk and reports whether that worked.
    bool sync();

private:
    QSettings m_settings;
};
