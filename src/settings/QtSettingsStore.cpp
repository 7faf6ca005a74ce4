#include "settings/QtSettingsStore.h"

#include <algorithm>
#include <optional>

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryFile>

namespace {

QString path(std::string_view section, std::string_view key) {
    return QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size())) + '/' +
           QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// QSettings only says that a write failed. Repeating its steps on a temporary file beside
// the store (create, write as much, flush) makes the system name the reason; nothing when
// those steps succeed.
std::optional<QString> writeFailureReason(const QString& fileName) {
    const QFileInfo file(fileName);
    if (!QDir().mkpath(file.absolutePath())) {
        return QStringLiteral("its folder cannot be created");
    }
    if (file.exists() && !file.isWritable()) {
        return QStringLiteral("the file is read-only");
    }
    QTemporaryFile probe(fileName + QStringLiteral(".XXXXXX"));
    if (!probe.open()) {
        return probe.errorString();
    }
    const QByteArray block(static_cast<qsizetype>(std::max<qint64>(file.size(), 4096)), ' ');
    if (probe.write(block) != block.size() || !probe.flush()) {
        return probe.errorString();
    }
    return std::nullopt;
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
    m_failure.clear();
    const QSettings::Status status = m_settings.status();
    if (status == QSettings::NoError) {
        return true;
    }
    // A damaged file read at the start leaves FormatError, and QSettings then keeps that
    // status over a failed write's AccessError: only the probe can tell.
    std::optional<QString> reason = writeFailureReason(m_settings.fileName());
    if (!reason && status == QSettings::FormatError) {
        return true;
    }
    m_failure = QStringLiteral("Rondelay: could not save the settings to %1: %2")
                    .arg(m_settings.fileName(),
                         reason.value_or(QStringLiteral("the file system refused the write")));
    return false;
}
