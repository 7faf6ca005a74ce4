#include "settings/QtSettingsStore.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "settings/SettingsPersistence.h"

namespace {

// Texts QSettings must quote or encode: a comma, UTF-8, leading blanks, a negative number.
const TimerSettings Sample{.IntMin = 5,
                           .FinNum = "three, maybe",
                           .Color = -2147483640,
                           .BellFile = {"/home/u/ベル.wav", "", " spaced .wav"}};

// QSettings reads XDG_CONFIG_HOME once per process, so every test shares one temporary
// configuration folder and starts by removing the application's folder. The file's layout is
// checked end to end by the window test.
class QtSettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
        QDir(configHome.path() + "/Rondelay").removeRecursively();
    }

    static QString file() { return configHome.path() + "/Rondelay/Rondelay.conf"; }
    // Loads through a store of its own, starting from `start` so that defaults show.
    static TimerSettings load(TimerSettings start) {
        QtSettingsStore store;
        LoadSettings(store, start);
        return start;
    }

    static inline QTemporaryDir configHome;
    const TimerSettings stale = [] {
        TimerSettings s = Sample;
        s.Font = {"stale", FontSize::fromWhole(99), true, true};
        return s;
    }();
};

TEST_F(QtSettingsStoreTest, SavedTextsLoadBackAndDeletingLeavesOtherGroups) {
    TimerSettings saved = Sample;
    saved.Font = {"IPAPGothic", *FontSize::fromText("10.5"), true, false};
    QtSettingsStore store;
    SaveSettings(store, saved);
    store.SaveSetting("Other", "Key", "kept");
    ASSERT_TRUE(store.sync());
    EXPECT_EQ(load({}), saved);

    DeleteSettings(store);
    ASSERT_TRUE(store.sync());
    EXPECT_EQ(load(stale), TimerSettings{});
    EXPECT_EQ(QtSettingsStore().GetSetting("Other", "Key", ""), "kept");
}

// Damaged contents are the settings fuzzer's, from its seeds on.
TEST_F(QtSettingsStoreTest, MissingOrUnreadableFileLoadsDefaults) {
    EXPECT_EQ(load(stale), TimerSettings{});  // no file at all
    QDir().mkpath(file());                    // a folder where the file should be: cannot be read
    EXPECT_EQ(load(stale), TimerSettings{});
}

}  // namespace
