#include "ui/platform/sound/BellPlayer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <chrono>
#include <future>
#include <map>
#include <mutex>
#include <thread>

namespace {

using namespace std::chrono_literals;

// The player's decoder: a file that exists holds a sound made of its own path; one whose name
// starts with "hung" keeps its reader waiting until let go, as on a network mount that hangs.
struct Disk {
    std::optional<WavSound> read(const QString& path) {
        if (QFileInfo(path).fileName().startsWith("hung")) {
            // Given up on only when the player itself waited for the file.
            heldUp = letGo.wait_for(10s) == std::future_status::timeout;
        }
        const bool found = QFile::exists(path);
        ++reads;
        if (!found) {
            return std::nullopt;
        }
        WavSound sound;
        sound.pcm = path.toUtf8();
        const std::lock_guard lock(mutex);
        return sounds[path] = sound;
    }

    std::promise<void> release;
    std::shared_future<void> letGo = release.get_future().share();
    std::atomic<bool> heldUp = false;
    std::mutex mutex;
    std::atomic<int> reads = 0;
    std::map<QString, WavSound> sounds;
};

// What the output was asked to sound: a sound's samples, or "beep".
struct Speaker : SoundOutput {
    explicit Speaker(QList<QByteArray>& heard) : heard(heard) {}
    void play(const WavSound& sound) override { heard.append(sound.pcm); }
    void playBeep() override { heard.append("beep"); }
    QList<QByteArray>& heard;
};

class BellPlayerTest : public ::testing::Test {
protected:
    QString file(const QString& name) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        return f.fileName();
    }
    void wav(BellSlot slot, const QString& path) {
        settings.BellFlag[static_cast<std::size_t>(slot)] = -1;  // any flag but 0 plays the file
        settings.BellFile[static_cast<std::size_t>(slot)] = path.toStdString();
    }
    // Rings the slots in one pass of the event loop; gives what sounded.
    QList<QByteArray> ring(std::initializer_list<BellSlot> rung) {
        heard.clear();
        for (BellSlot slot : rung) {
            player.RingBell(slot);
        }
        QCoreApplication::processEvents();
        return heard;
    }
    // Rings `slot` until it sounds more than the beep, which it gives while its reading runs.
    QByteArray ringOnceRead(BellSlot slot) {
        for (int tries = 0; tries < 1000 && ring({slot}) == QList<QByteArray>{"beep"}; ++tries) {
            std::this_thread::sleep_for(10ms);
        }
        return heard.value(0);
    }

    QTemporaryDir dir;
    TimerSettings settings;
    std::shared_ptr<Disk> disk = std::make_shared<Disk>();
    QList<QByteArray> heard;
    BellPlayer player{settings, std::make_unique<Speaker>(heard),
                      [disk = disk](const QString& path) { return disk->read(path); }};
};

TEST_F(BellPlayerTest, ARingSoundsThePreparedSamplesUnreadAndOneTickSoundsOnlyItsLastBell) {
    const QString first = file("first.wav"), finish = file("finish.wav");
    wav(0, first);
    wav(2, finish);
    player.PrepareBells();
    EXPECT_EQ(ringOnceRead(0), first.toUtf8());
    EXPECT_EQ(ringOnceRead(2), finish.toUtf8());
    const QList<QByteArray> stop = ring({0, 2});
    ASSERT_EQ(stop, QList<QByteArray>{finish.toUtf8()}) << "the finish bell alone";
    EXPECT_TRUE(stop.front().isSharedWith(disk->sounds[finish].pcm)) << "the samples were copied";
    settings.BellFile[2].clear();
    EXPECT_EQ(ring({0, 2}), QList<QByteArray>{"beep"}) << "a WAV bell without a path";
    EXPECT_EQ(disk->reads, 2) << "a ring read a file";
}

TEST_F(BellPlayerTest, AFileThatCouldNotBeReadIsReadAgainAfterTheRingThatFoundItMissing) {
    const QString late = dir.filePath("late.wav");
    wav(0, late);
    player.PrepareBells();
    ASSERT_TRUE(QTest::qWaitFor([this] { return disk->reads == 1; }));
    file("late.wav");  // put right meanwhile

    EXPECT_EQ(ring({0}), QList<QByteArray>{"beep"}) << "the ring read the file itself";
    EXPECT_EQ(ringOnceRead(0), late.toUtf8());
}

TEST_F(BellPlayerTest, AFileThatHangsHoldsUpNeitherThePreparationNorARing) {
    const QString hung = file("hung.wav");
    wav(0, hung);
    player.PrepareBells();
    EXPECT_EQ(ring({0}), QList<QByteArray>{"beep"});
    EXPECT_EQ(ring({0}), QList<QByteArray>{"beep"});

    disk->release.set_value();
    EXPECT_EQ(ringOnceRead(0), hung.toUtf8());
    EXPECT_FALSE(disk->heldUp) << "the player waited for the file";
    EXPECT_EQ(disk->reads, 1) << "a hung file was read again while its first reading ran";
}

}  // namespace
