#include "settings/SettingsPersistence.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "settings/MemorySettingsStore.h"

namespace {

using Call = MemorySettingsStore::Call;

const std::vector<std::pair<std::string, std::string>> TimerKeysInOrder = {
    {"IntFlag", "0"},   {"IntMin", "1"},    {"NextFlag", "0"},    {"NextSec", "0"},
    {"ClearFlag", "0"}, {"FinFlag", "0"},   {"FinHour", "1"},     {"FinMin", "0"},
    {"FinNum", "0"},    {"Color", "0"},     {"RestColor", "255"}, {"0BellFlag", "0"},
    {"0BellFile", ""},  {"1BellFlag", "0"}, {"1BellFile", ""},    {"2BellFlag", "0"},
    {"2BellFile", ""},
};
const std::vector<std::pair<std::string, std::string>> FontKeysInOrder = {
    {"Bold", "False"}, {"Italic", "False"}, {"Name", ""}, {"Size", "36"}};

struct Loaded {
    TimerSettings settings;
    FontFields font;
};

Loaded load(MemorySettingsStore& store) {
    Loaded result;
    // Start from values unlike the defaults, so that a field the load forgets shows.
    result.settings.IntMin = 99;
    result.settings.FinNum = "stale";
    result.font.Size = FontSize::fromWhole(99);
    LoadSettings(store, result.settings, result.font);
    return result;
}

TEST(LoadSettings, EmptyStoreGivesTheDefaultsReadInKeyOrder) {
    MemorySettingsStore store;
    const Loaded loaded = load(store);
    EXPECT_EQ(loaded.settings, TimerSettings{});
    EXPECT_EQ(loaded.font, FontFields{});
    EXPECT_EQ(loaded.font.Size.toText(), "36");

    std::vector<Call> expected;
    for (const auto& [key, fallback] : TimerKeysInOrder) {
        expected.push_back({Call::Get, "Timer", key, fallback});
    }
    for (const auto& [key, fallback] : FontKeysInOrder) {
        expected.push_back({Call::Get, "Font", key, fallback});
    }
    EXPECT_EQ(store.calls(), expected);
}

TEST(LoadSettings, FlagsSurviveOnlyWhenTheirAmountIsNonZero) {
    struct Case {
        std::vector<std::pair<const char*, const char*>> stored;
        std::int16_t intFlag, nextFlag, finFlag;
    };
    const Case cases[] = {
        {{{"IntFlag", "1"}, {"IntMin", "0"}}, 0, 0, 0},
        {{{"IntFlag", "1"}, {"IntMin", "5"}}, 1, 0, 0},
        {{{"IntFlag", "1"}}, 1, 0, 0},  // IntMin absent: its default 1
        {{{"NextFlag", "1"}, {"NextSec", "0"}}, 0, 0, 0},
        {{{"NextFlag", "1"}, {"NextSec", "30"}}, 0, 1, 0},
        {{{"FinFlag", "1"}, {"FinHour", "0"}, {"FinMin", "0"}, {"FinNum", "3"}}, 0, 0, 0},
        {{{"FinFlag", "1"}, {"FinHour", "0"}, {"FinMin", "30"}}, 0, 0, 1},
        {{{"FinFlag", "1"}}, 0, 0, 1},                    // FinHour defaults to 1
        {{{"IntFlag", "2"}, {"IntMin", "75"}}, 2, 0, 0},  // hand-edited: taken unchanged
    };
    for (const Case& c : cases) {
        MemorySettingsStore store;
        std::string trace;
        for (const auto& [key, text] : c.stored) {
            store.put("Timer", key, text);
            trace += std::string(key) + "=" + text + " ";
        }
        SCOPED_TRACE(trace);
        const Loaded loaded = load(store);
        EXPECT_EQ(loaded.settings.IntFlag, c.intFlag);
        EXPECT_EQ(loaded.settings.NextFlag, c.nextFlag);
        EXPECT_EQ(loaded.settings.FinFlag, c.finFlag);
    }
    MemorySettingsStore store;
    store.put("Timer", "IntMin", "75");
    EXPECT_EQ(load(store).settings.IntMin, 75);
}

TEST(LoadSettings, TextsThatDoNotConvertTakeTheirDefaultAndTheRestStillLoads) {
    MemorySettingsStore store;
    store.put("Timer", "IntFlag", "1");
    store.put("Timer", "IntMin", "many");    // letters
    store.put("Timer", "NextSec", "40000");  // beyond 16 bits
    store.put("Timer", "FinHour", "2");
    store.put("Timer", "Color", "2147483648");  // beyond 32 bits
    store.put("Timer", "RestColor", "-2147483640");
    store.put("Timer", "0BellFlag", "");
    store.put("Timer", "2BellFlag", "1");
    store.put("Timer", "2BellFile", "/home/u/gong.wav");
    store.put("Timer", "1BellFile", std::string(10'000'000, 'x'));  // 10 MB of damage
    store.put("Font", "Bold", "maybe");
    store.put("Font", "Italic", "1");
    store.put("Font", "Name", "IPAGothic");
    store.put("Font", "Size", "0");

    const Loaded loaded = load(store);
    EXPECT_EQ(loaded.settings.IntMin, 1);
    EXPECT_EQ(loaded.settings.IntFlag, 1);
    EXPECT_EQ(loaded.settings.NextSec, 0);
    EXPECT_EQ(loaded.settings.FinHour, 2);
    EXPECT_EQ(loaded.settings.Color, 0);
    EXPECT_EQ(loaded.settings.RestColor, -2147483640);
    EXPECT_EQ(loaded.settings.BellFlag[0], 0);
    EXPECT_EQ(loaded.settings.BellFile[1], "");
    EXPECT_EQ(loaded.settings.BellFlag[2], 1);
    EXPECT_EQ(loaded.settings.BellFile[2], "/home/u/gong.wav");
    EXPECT_FALSE(loaded.font.Bold);
    EXPECT_TRUE(loaded.font.Italic);
    EXPECT_EQ(loaded.font.Name, "IPAGothic");
    EXPECT_EQ(loaded.font.Size, FontSize::fromWhole(36));
}

TEST(LoadSettings, FontSizesMustBePositiveFiniteAndSane) {
    for (const char* text : {"0", "-12", "abc", "1e400", "100000", ""}) {
        MemorySettingsStore store;
        store.put("Font", "Size", text);
        EXPECT_EQ(load(store).font.Size.toText(), "36") << text;
    }
    for (const char* text : {"10.5", "8", "512", "4096", "７２"}) {
        MemorySettingsStore store;
        store.put("Font", "Size", text);
        EXPECT_EQ(load(store).font.Size, *FontSize::fromText(text)) << text;
    }
}

TEST(SaveSettings, WritesAll21KeysInOrderAsText) {
    TimerSettings s;
    s.IntFlag = 1;
    s.IntMin = 5;
    s.NextFlag = 1;
    s.NextSec = 30;
    s.ClearFlag = 1;
    s.FinFlag = 1;
    s.FinHour = 0;
    s.FinMin = 45;
    s.FinNum = "";
    s.Color = static_cast<std::int32_t>(0x80000008u);
    s.RestColor = 0x00FF00;
    s.BellFlag = {1, 0, -3};
    s.BellFile = {"/a b/鐘.wav", "", "c.wav"};
    FontFields font{"IPAPGothic", *FontSize::fromText("10.5"), true, false};

    MemorySettingsStore store;
    SaveSettings(store, s, font);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"IntFlag", "1"},
        {"IntMin", "5"},
        {"NextFlag", "1"},
        {"NextSec", "30"},
        {"ClearFlag", "1"},
        {"FinFlag", "1"},
        {"FinHour", "0"},
        {"FinMin", "45"},
        {"FinNum", ""},
        {"Color", "-2147483640"},
        {"RestColor", "65280"},
        {"0BellFlag", "1"},
        {"0BellFile", "/a b/鐘.wav"},
        {"1BellFlag", "0"},
        {"1BellFile", ""},
        {"2BellFlag", "-3"},
        {"2BellFile", "c.wav"},
    };
    std::vector<Call> calls;
    for (const auto& [key, text] : expected) {
        calls.push_back({Call::Save, "Timer", key, text});
    }
    for (const auto& [key, text] : std::vector<std::pair<std::string, std::string>>{
             {"Bold", "True"}, {"Italic", "False"}, {"Name", "IPAPGothic"}, {"Size", "10.5"}}) {
        calls.push_back({Call::Save, "Font", key, text});
    }
    EXPECT_EQ(store.calls(), calls);

    // Nothing changed: a second save writes the same 21 keys again.
    store.clearCalls();
    SaveSettings(store, s, font);
    EXPECT_EQ(store.calls(), calls);
}

TEST(SaveSettings, LoadReproducesEveryFieldExactly) {
    TimerSettings s;
    s.IntFlag = 1;
    s.IntMin = 59;
    s.NextFlag = 1;
    s.NextSec = 60;
    s.ClearFlag = 1;
    s.FinFlag = 1;
    s.FinHour = 23;
    s.FinMin = 59;
    s.FinNum = "three";  // kept as typed
    s.Color = -2147483640;
    s.RestColor = 0x00ABCDEF;
    s.BellFlag = {0, 1, 1};
    s.BellFile = {"/kept/while/beeping.wav", "", "/bells/終了.wav"};
    for (const char* size : {"10.5", "36", "10.1", "511.9999"}) {
        FontFields font{"ＭＳ Ｐゴシック", *FontSize::fromText(size), false, true};
        MemorySettingsStore store;
        SaveSettings(store, s, font);
        const Loaded loaded = load(store);
        EXPECT_EQ(loaded.settings, s);
        EXPECT_EQ(loaded.font, font);
        EXPECT_EQ(loaded.font.Size.toText(), size);
    }
}

TEST(DeleteSettings, RemovesTimerThenFontAndWritesNothing) {
    MemorySettingsStore store;
    SaveSettings(store, TimerSettings{}, FontFields{});
    store.put("Other", "Key", "kept");
    store.clearCalls();
    DeleteSettings(store);
    EXPECT_EQ(store.calls(),
              (std::vector<Call>{{Call::Delete, "Timer", "", ""}, {Call::Delete, "Font", "", ""}}));
    EXPECT_FALSE(store.hasSection("Timer"));
    EXPECT_FALSE(store.hasSection("Font"));
    EXPECT_TRUE(store.contains("Other", "Key"));
    EXPECT_EQ(load(store).settings, TimerSettings{});

    DeleteSettings(store);  // sections already gone: no harm
    EXPECT_FALSE(store.hasSection("Timer"));
}

}  // namespace
