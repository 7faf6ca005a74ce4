#include "settings/QtSettingsStore.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "settings/SettingsPersistence.h"

namespace {

// QSettings reads XDG_CONFIG_HOME once per process, so every test shares one temporary
// configuration folder and starts by removing the file.
class QtSettingsStoreTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        configHome = new QTemporaryDir;
        qputenv("XDG_CONFIG_HOME", configHome->path().toUtf8());
    }
    static void TearDownTestSuite() { delete configHome; }

    void SetUp() override {
        QDir(folder()).removeRecursively();
        QDir().mkpath(folder());
    }

    static QString folder() { return configHome->path() + "/Rondelay"; }
    static QString file() { return folder() + "/Rondelay.conf"; }

    static QString readFile() {
        QFile f(file());
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return QString::fromUtf8(f.readAll());
    }
    static void writeFile(const QByteArray& text) {
        QFile f(file());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

    static TimerSettings sample() {
        TimerSettings s;
        s.IntFlag = 1;
        s.IntMin = 5;
        s.NextFlag = 1;
        s.NextSec = 30;
        s.FinFlag = 1;
        s.FinNum = "three, maybe";
        s.Color = -2147483640;
        s.BellFlag = {1, 0, 1};
        s.BellFile = {"/home/u/ベル.wav", "", " spaced .wav"};
        return s;
    }

    static inline QTemporaryDir* configHome = nullptr;
};

TEST_F(QtSettingsStoreTest, SavesTextValuesInTwoGroupsOfTheUsersIniFile) {
    {
        QtSettingsStore store;
        EXPECT_EQ(store.fileName(), file());
        SaveSettings(store, sample(),
                     FontFields{"IPAPGothic", *FontSize::fromText("10.5"), true, false});
        ASSERT_TRUE(store.sync());
    }
    const QString text = readFile();
    for (const char* line :
         {"[Timer]", "[Font]", "IntFlag=1", "IntMin=5", "NextSec=30", "FinHour=1",
          "Color=-2147483640", "RestColor=255", "0BellFlag=1", "1BellFile=\n", "Bold=True",
          "Italic=False", "Name=IPAPGothic", "Size=10.5"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(line))) << line << "\n" << text.toStdString();
    }
    EXPECT_EQ(
        text.count(QRegularExpression("^[^\\[\\n][^=\\n]*=", QRegularExpression::MultilineOption)),
        21);

    QtSettingsStore again;
    TimerSettings loaded;
    FontFields font;
    LoadSettings(again, loaded, font);
    EXPECT_EQ(loaded, sample());
    EXPECT_EQ(font.Size.toText(), "10.5");
    EXPECT_TRUE(font.Bold);
}

TEST_F(QtSettingsStoreTest, MissingOrUnreadableFileGivesTheDefaults) {
    TimerSettings loaded = sample();
    FontFields font;
    {
        QtSettingsStore store;  // no file at all
        LoadSettings(store, loaded, font);
        EXPECT_EQ(loaded, TimerSettings{});
    }
    QDir().mkpath(file());  // a folder where the file should be: cannot be read
    loaded = sample();
    QtSettingsStore store;
    LoadSettings(store, loaded, font);
    EXPECT_EQ(loaded, TimerSettings{});
    EXPECT_EQ(font, FontFields{});
}

TEST_F(QtSettingsStoreTest, HandEditedDamageLoadsDefaultsOnlyWhereDamaged) {
    QByteArray text =
        "garbage line without equals\n"
        "\x01\x02\xff\xfe binary\n"
        "[Timer]\n"
        "IntFlag=1\n"
        "IntMin=７\n"
        "NextSec=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\aunknown)\n"
        "FinNum=1,2,3\n"
        "Color=red\n"
        "0BellFile=\"/quoted path.wav\"\n"
        "1BellFile=";
    text += QByteArray(10 * 1024 * 1024, 'x');
    text += "\n[Font]\nBold=sometimes\nSize=1e999\nName=Noto Sans CJK JP\n";
    writeFile(text);

    QtSettingsStore store;
    TimerSettings loaded;
    FontFields font;
    LoadSettings(store, loaded, font);
    EXPECT_EQ(loaded.IntFlag, 1);
    EXPECT_EQ(loaded.IntMin, 7);
    EXPECT_EQ(loaded.NextSec, 0);
    EXPECT_EQ(loaded.FinNum, "1,2,3");
    EXPECT_EQ(loaded.Color, 0);
    EXPECT_EQ(loaded.BellFile[0], "/quoted path.wav");
    EXPECT_EQ(loaded.BellFile[1], "");
    EXPECT_FALSE(font.Bold);
    EXPECT_EQ(font.Size.toText(), "36");
    EXPECT_EQ(font.Name, "Noto Sans CJK JP");
}

TEST_F(QtSettingsStoreTest, DeleteRemovesBothGroupsFromTheFile) {
    {
        QtSettingsStore store;
        SaveSettings(store, sample(), FontFields{});
        store.SaveSetting("Other", "Key", "kept");
        ASSERT_TRUE(store.sync());
    }
    {
        QtSettingsStore store;
        DeleteSettings(store);
        ASSERT_TRUE(store.sync());
    }
    const QString text = readFile();
    EXPECT_FALSE(text.contains("[Timer]"));
    EXPECT_FALSE(text.contains("[Font]"));
    EXPECT_TRUE(text.contains("Key=kept"));
}

}  // namespace
