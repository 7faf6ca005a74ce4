// The bells through the system's own sound API, winmm, as sndPlaySound plays them, but by
// waveOut on a device kept open: measured under Wine, a bell played with PlaySound (which opens
// a device for each sound) was heard 14 to 28 ms after the ring (median) and the first one up
// to 148 ms late; through a device kept open, 1 to 2 ms. A ring returns at once, a new sound
// cuts off the one playing, and the wave mapper plays on the output that is the default at the
// moment: Windows moves its streams when the default changes.
#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

#include <cstring>

#include "ui/platform/sound/SoundOutput.h"

namespace {

// The WAV image PrepareSound makes: the format at byte 20, the samples from byte 44.
constexpr qsizetype kFormatAt = 20;
constexpr qsizetype kSamplesAt = 44;

class WaveOutput : public SoundOutput {
public:
    // The device is opened now, for the beep's format, which most bells share: the first bell
    // need not wait for it (measured under Wine: 83 to 144 ms).
    explicit WaveOutput(WavSound beep) : m_beep(std::move(beep)) { open(m_beep.image); }
    ~WaveOutput() override { close(); }

    void play(const WavSound& sound) override {
        if (!start(sound.image)) {
            qCDebug(lcBells) << "the system did not take the sound - the beep instead";
            playBeep();
        }
    }

    void playBeep() override {
        if (!start(m_beep.image)) {
            qCDebug(lcBells) << "desktop beep: the system did not take the beep";
            MessageBeep(MB_OK);
        }
    }

private:
    // The device reads the samples from our memory while it plays, so they are kept until the
    // sound has been stopped.
    bool start(const QByteArray& image) {
        if (!open(image)) {
            return false;
        }
        m_playing = image;
        m_header = WAVEHDR{};
        m_header.lpData = const_cast<char*>(m_playing.constData()) + kSamplesAt;
        m_header.dwBufferLength = static_cast<DWORD>(m_playing.size() - kSamplesAt);
        if (waveOutPrepareHeader(m_device, &m_header, sizeof m_header) != MMSYSERR_NOERROR) {
            close();
            return false;
        }
        if (waveOutWrite(m_device, &m_header, sizeof m_header) != MMSYSERR_NOERROR) {
            close();
            return false;
        }
        return true;
    }

    // A device open for the image's format, with nothing playing on it.
    bool open(const QByteArray& image) {
        if (image.size() <= kSamplesAt) {
            return false;
        }
        WAVEFORMATEX format{};
        std::memcpy(&format, image.constData() + kFormatAt, 16);  // PCM: no extra bytes
        if (m_device != nullptr && std::memcmp(&format, &m_format, 16) == 0) {
            stop();
            return true;
        }
        close();
        if (waveOutOpen(&m_device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
            m_device = nullptr;
            return false;
        }
        m_format = format;
        return true;
    }

    // Cuts off the sound playing, if any; the device stays open.
    void stop() {
        if (m_device != nullptr && m_header.lpData != nullptr) {
            waveOutReset(m_device);
            waveOutUnprepareHeader(m_device, &m_header, sizeof m_header);
            m_header = WAVEHDR{};
        }
        m_playing.clear();
    }

    void close() {
        stop();
        if (m_device != nullptr) {
            waveOutClose(m_device);
            m_device = nullptr;
        }
    }

    const WavSound m_beep;
    HWAVEOUT m_device = nullptr;
    WAVEFORMATEX m_format{};
    WAVEHDR m_header{};
    QByteArray m_playing;  // the image whose samples the device plays
};

}  // namespace

void PrepareSound(WavSound& sound) {
    sound.image = WavImage(sound);
}

std::unique_ptr<SoundOutput> MakeSoundOutput(WavSound beep) {
    return std::make_unique<WaveOutput>(std::move(beep));
}
