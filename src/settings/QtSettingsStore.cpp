#include "settings/QtSettingsStore.h"

#include <QStringList>

namespace {

QString path(std::string_view section, std::string_view key) {
    return QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size())) + '/' +
           QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtSettingsStore::QtSettingsStore()
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, "Rondelay", "Rondelay") {}

std::string QtSettingsStore::GetSetting(std::string_view section, std::string_view key,
                                        std::string_view defaultText) {
    const QVariant value = m_settings.value(path(section, key));
    if (!value.isValid()) {
        return std::string(defaultText);
    }
    // A hand-edited INI value with an unquoted comma reads back as a list; keep its text.
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(',').toStdString();
    }
    if (!value.canConvert<QString>()) {
        return std::string(defaultText);
    }
    return value.toString().toStdString();
}

void QtSettingsStore::SaveSetting(std::string_view section, std::string_view key,
                                  std::string_view text) {
    m_settings.setValue(path(section, key), toQString(text));
}

void QtSettingsStore::DeleteSetting(std::string_view section) {
    m_settings.remove(toQString(section));
}

bool QtSettingsStore::sync() {
    m_settings.sync();
    return m_settings.status() == QSettings::NoError;
}
