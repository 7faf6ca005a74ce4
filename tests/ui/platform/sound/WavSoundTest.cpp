#include "ui/platform/sound/WavSound.h"

#include <gtest/gtest.h>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

namespace {

// A canonical PCM WAV file: RIFF header, fmt chunk, data chunk holding `frames` frames; or its
// big-endian twin, RIFX.
QByteArray Wav(int channels, int bits, int frames, int formatTag = 1, bool rifx = false) {
    const int blockAlign = channels * bits / 8;
    const QByteArray samples(frames * blockAlign, '\x11');
    auto word = [rifx](auto v) {
        QByteArray b(sizeof v, '\0');
        rifx ? qToBigEndian(v, b.data()) : qToLittleEndian(v, b.data());
        return b;
    };
    auto u32 = [&](quint32 v) { return word(v); };
    auto u16 = [&](quint16 v) { return word(v); };
    QByteArray fmt = u16(formatTag) + u16(channels) + u32(44100) + u32(44100 * blockAlign) +
                     u16(blockAlign) + u16(bits);
    QByteArray body =
        "WAVE" + ("fmt " + u32(fmt.size()) + fmt) + "data" + u32(samples.size()) + samples;
    return (rifx ? "RIFX" : "RIFF") + u32(body.size()) + body;
}

class WavSoundTest : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(WavSoundTest, APcmFileIsReadWholeInItsOwnFormat) {
    const std::optional<WavSound> sound = DecodeWav(write("stereo.wav", Wav(2, 16, 1000)));
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->channels, 2);
    EXPECT_EQ(sound->rate, 44100);
    EXPECT_EQ(sound->encoding, WavSound::Encoding::Int16);
    EXPECT_EQ(sound->pcm, QByteArray(4000, '\x11'));
}

TEST_F(WavSoundTest, TwentyFourBitAndBigEndianSamplesAreTurnedIntoOnesAnOutputTakes) {
    QByteArray wav24 = Wav(1, 24, 2);
    wav24.replace(wav24.size() - 6, 6, QByteArray::fromHex("563412feffff"));
    const std::optional<WavSound> widened = DecodeWavData(wav24);
    ASSERT_TRUE(widened);
    EXPECT_EQ(widened->encoding, WavSound::Encoding::Int32);
    EXPECT_EQ(widened->pcm.first(8), QByteArray::fromHex("0056341200feffff"));

    // The same two 16-bit samples, little- and big-endian.
    QByteArray riff = Wav(1, 16, 2);
    riff.replace(riff.size() - 4, 4, QByteArray::fromHex("3412feff"));
    QByteArray rifx = Wav(1, 16, 2, 1, true);
    rifx.replace(rifx.size() - 4, 4, QByteArray::fromHex("1234fffe"));
    const std::optional<WavSound> little = DecodeWavData(riff);
    const std::optional<WavSound> big = DecodeWavData(rifx);
    ASSERT_TRUE(little && big);
    EXPECT_EQ(big->pcm, little->pcm);
}

TEST_F(WavSoundTest, WhatCannotBePlayedWholeGivesNoSound) {
    const QByteArray good = Wav(1, 16, 1000);
    EXPECT_FALSE(DecodeWav(write("cut.wav", good.first(good.size() - 10))))
        << "data chunk running past the end";
    EXPECT_FALSE(DecodeWav(write("empty.wav", Wav(1, 16, 0)))) << "no samples";
    EXPECT_FALSE(DecodeWav(write("nothing.wav", {}))) << "empty file";
    EXPECT_FALSE(DecodeWav(write("text.wav", "just some text, not a sound"))) << "not a WAV";
    EXPECT_FALSE(DecodeWav(write("adpcm.wav", Wav(1, 4, 1000, 2)))) << "ADPCM encoding";
    QByteArray noFormat = good;
    noFormat.replace(12, 4, "fmX ");
    EXPECT_FALSE(DecodeWavData(noFormat)) << "samples with no format chunk before them";
    EXPECT_FALSE(DecodeWav(dir.path())) << "a folder";
    EXPECT_FALSE(DecodeWav(dir.filePath("missing.wav"))) << "a missing file";
    EXPECT_FALSE(DecodeWav(QString())) << "an empty path";
#ifdef Q_OS_UNIX
    EXPECT_FALSE(DecodeWav("/dev/zero")) << "a device that never ends";
    const QString fifo = dir.filePath("pipe.wav");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(DecodeWav(fifo)) << "a named pipe that nobody writes";
#endif

    const QString huge = write("huge.wav", Wav(1, 16, 10));
    ASSERT_TRUE(QFile::resize(huge, kLargestWavBytes + 1));  // sparse: costs no disk
    EXPECT_FALSE(DecodeWav(huge)) << "larger than a bell can sensibly be";
}

TEST_F(WavSoundTest, AWavImageReadsBackAsTheSameSoundWithWiderSamplesNarrowedToSixteenBits) {
    using enum WavSound::Encoding;
    QByteArray floats(8, '\0');
    qToLittleEndian(0.5f, floats.data());
    qToLittleEndian(-2.0f, floats.data() + 4);  // beyond full scale: clipped
    const struct {
        WavSound::Encoding encoding;
        int channels, rate;
        QByteArray pcm, samples;  // as given, and as read back in 16 bits
    } cases[] = {
        {Int16, 2, 22050, "\x01\x02\x03\x04", "\x01\x02\x03\x04"},
        {Int32, 1, 44100, QByteArray::fromHex("000056340000feff"), QByteArray::fromHex("5634feff")},
        {Float32, 1, 44100, floats, QByteArray::fromHex("ff3f0180")}};
    for (const auto& [encoding, channels, rate, pcm, samples] : cases) {
        WavSound sound;
        std::tie(sound.encoding, sound.channels, sound.rate, sound.pcm) =
            std::tie(encoding, channels, rate, pcm);
        const std::optional<WavSound> again = DecodeWavData(WavImage(sound));
        ASSERT_TRUE(again);
        EXPECT_EQ(std::tuple(again->encoding, again->channels, again->rate, again->pcm),
                  std::tuple(Int16, channels, rate, samples));
    }
}

}  // namespace
