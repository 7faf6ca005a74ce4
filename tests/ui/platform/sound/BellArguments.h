#pragma once

#include <QCommandLineParser>

#include "settings/TimerSettings.h"

// The bells as the audio test gives them, "SLOT=PATH" each: --wav makes SLOT a WAV bell playing
// PATH, --path only stores PATH, leaving the slot on the beep.
inline void AddBellOptions(QCommandLineParser& parser) {
    parser.addOptions(
        {{"wav", "WAV bell", "slot=path"}, {"path", "stored path only", "slot=path"}});
}

inline TimerSettings BellSettings(const QCommandLineParser& parser) {
    TimerSettings settings;
    const QStringList wavs = parser.values("wav");
    for (const QString& value : wavs + parser.values("path")) {
        const auto at = value.indexOf(QLatin1Char('='));
        const auto slot = value.left(at).toUInt();
        if (at < 1 || slot >= BellSlotCount) {
            qFatal("bad argument %s", qPrintable(value));
        }
        settings.BellFlag[slot] = wavs.contains(value);
        settings.BellFile[slot] = value.mid(at + 1).toStdString();
    }
    return settings;
}
