#include "settings/QtSettingsStore.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "settings/SettingsPersistence.h"

namespace {

// Loads through a store of its own, starting from `start` so that defaults show.
TimerSettings Load(TimerSettings start) {
    QtSettingsStore store;
    LoadSettings(store, start);
    return start;
}

// QSettings reads XDG_CONFIG_HOME once per process, so this is one test in one temporary
// configuration folder (on Windows, the registry). The file's layout is checked end to end by the
// window test, damaged contents by the settings fuzzer.
TEST(QtSettingsStore, SavedTextsLoadBackDeletingLeavesOtherGroupsAndNoFileGivesDefaults) {
    const QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    // Texts QSettings must quote or encode: a comma, UTF-8, leading blanks, a negative number.
    const TimerSettings saved{.IntMin = 5,
                              .FinNum = "three, maybe",
                              .Color = -2147483640,
                              .BellFile = {"/home/u/ベル.wav", "", " spaced .wav"},
                              .Font = {"IPAPGothic", *FontSize::fromText("10.5"), true, false}};
    EXPECT_EQ(Load(saved), TimerSettings{}) << "no file at all";

    QtSettingsStore store;
    SaveSettings(store, saved);
    store.SaveSetting("Other", "Key", "kept");
    ASSERT_TRUE(store.sync());
    EXPECT_EQ(Load({}), saved);

    DeleteSettings(store);
    ASSERT_TRUE(store.sync());
    EXPECT_EQ(Load(saved), TimerSettings{});
    EXPECT_EQ(QtSettingsStore().GetSetting("Other", "Key", ""), "kept");

#ifdef Q_OS_WIN
    // The registry of the test's own Wine prefix: what the test wrote goes.
    QtSettingsStore().DeleteSetting("Other");
#else
    const QString file = home.path() + "/Rondelay/Rondelay.conf";
    ASSERT_TRUE(QFile::remove(file) && QDir().mkpath(file));  // a folder that cannot be read
    EXPECT_EQ(Load(saved), TimerSettings{}) << "a folder where the file should be";
#endif
}

}  // namespace
