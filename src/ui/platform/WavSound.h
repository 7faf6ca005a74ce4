#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QString>
#include <optional>

// A bell's sound decoded into memory, ready to be handed to an audio output at once.
struct WavSound {
    QAudioFormat format;
    // The samples, followed by silence: an output stream is closed as soon as its last bytes
    // are handed over, which drops what the sound server still holds, so the silence is what
    // gets dropped instead of the bell's end.
    QByteArray pcm;
    qint64 audibleBytes = 0;  // the samples without the trailing silence
};

// How much silence follows each sound; more than the sound server buffers for a stream.
inline constexpr int kTrailingSilenceMs = 400;

// Largest WAV file taken as a bell; a larger one beeps rather than fill the memory.
inline constexpr qint64 kLargestWavBytes = 100 * 1024 * 1024;

// Reads a whole PCM WAV file (RIFF or RIFX; 8-, 16-, 24-, 32-bit or float samples, 1 to 8
// channels, 1 to 384 kHz). Gives nothing for anything that cannot be played whole: no regular
// file, not a WAV, no format before the samples, an unknown encoding, chunks that run past the
// end of the file, no samples, or a file over kLargestWavBytes.
std::optional<WavSound> DecodeWav(const QString& path);

// The same for WAV data already in memory (the built-in beep).
std::optional<WavSound> DecodeWavData(const QByteArray& data);
