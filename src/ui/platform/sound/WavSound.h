#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// A bell's sound decoded into memory, ready to be handed to a sound server at once: always
// little-endian samples in one of the encodings every server takes.
struct WavSound {
    enum class Encoding { UInt8, Int16, Int32, Float32 };
    Encoding encoding = Encoding::Int16;
    int channels = 1;
    int rate = 44100;
    QByteArray pcm;  // whole frames
    // The sound as a whole WAV file, for an output that plays those; made by PrepareSound.
    QByteArray image;

    int bytesPerFrame() const;
};

// Largest WAV file taken as a bell; a larger one beeps rather than fill the memory.
inline constexpr qint64 kLargestWavBytes = 100 * 1024 * 1024;

// Reads a whole PCM WAV file (RIFF or RIFX; 8-, 16-, 24-, 32-bit or float samples, 1 to 8
// channels, 1 to 384 kHz). Gives nothing for anything that cannot be played whole: no regular
// file, not a WAV, no format before the samples, an unknown encoding, chunks that run past the
// end of the file, no samples, or a file over kLargestWavBytes.
std::optional<WavSound> DecodeWav(const QString& path);

// The same for WAV data already in memory (the built-in beep).
std::optional<WavSound> DecodeWavData(const QByteArray& data);

// The sound as a plain PCM WAV file that every player takes: 8- and 16-bit samples as they are,
// wider and float ones narrowed to 16 bits.
QByteArray WavImage(const WavSound& sound);
