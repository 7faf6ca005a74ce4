#pragma once

#include <QObject>
#include <QSoundEffect>
#include <QUrl>

#include "engine/BellRinger.h"
#include "settings/TimerSettings.h"

// Rings the bells through the normal audio output with QSoundEffect. A new bell stops the one
// still playing; a file that cannot be played gives the built-in beep instead, and with no
// audio output at all the desktop's own beep is used.
class BellPlayer : public QObject, public BellRinger {
    Q_OBJECT
public:
    // The settings are read again at every bell, so they must outlive the player.
    explicit BellPlayer(const TimerSettings& settings, QObject* parent = nullptr);
    ~BellPlayer() override;

    void RingBell(BellSlot slot) override;
    void PrepareBells() override {}

private:
    void playBeep();
    void playWav(const QUrl& url);
    void onWavStatusChanged();

    const TimerSettings& m_settings;
    QSoundEffect m_beep;
    QSoundEffect m_wav;
    // The WAV bell is still meant to sound, so a late load failure must fall back to the beep.
    bool m_wavWanted = false;
};
