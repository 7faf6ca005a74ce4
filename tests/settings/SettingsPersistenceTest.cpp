#include "settings/SettingsPersistence.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "settings/MemorySettingsStore.h"

namespace {

using Call = MemorySettingsStore::Call;
using Entries = std::vector<std::string>;  // "Key=text"

// The calls one load or save makes: the timer keys, then the font keys, in that order.
std::vector<Call> calls(Call::Kind kind, const Entries& timer, const Entries& font) {
    std::vector<Call> result;
    for (const auto& [section, entries] : {std::pair{"Timer", timer}, std::pair{"Font", font}}) {
        for (const std::string& entry : entries) {
            const auto eq = entry.find('=');
            result.push_back({kind, section, entry.substr(0, eq), entry.substr(eq + 1)});
        }
    }
    return result;
}

// Stores the entries without recording calls, as a hand-edited store would hold them.
void put(MemorySettingsStore& store, const Entries& timer, const Entries& font = {}) {
    for (const Call& c : calls(Call::Save, timer, font)) {
        store.put(c.section, c.key, c.text);
    }
}

struct Loaded {
    TimerSettings settings;
    FontFields font;
    bool operator==(const Loaded&) const = default;
};

Loaded load(MemorySettingsStore& store) {
    // Start from values unlike the defaults, so that a field the load forgets shows.
    Loaded result{{.IntMin = 99, .FinNum = "stale"},
                  {"stale", FontSize::fromWhole(99), true, true}};
    LoadSettings(store, result.settings, result.font);
    return result;
}

TEST(LoadSettings, EmptyStoreGivesTheDefaultsReadInKeyOrder) {
    MemorySettingsStore store;
    EXPECT_EQ(load(store), Loaded{});
    EXPECT_EQ(store.calls(),
              calls(Call::Get,
                    {"IntFlag=0", "IntMin=1", "NextFlag=0", "NextSec=0", "ClearFlag=0", "FinFlag=0",
                     "FinHour=1", "FinMin=0", "FinNum=0", "Color=0", "RestColor=255", "0BellFlag=0",
                     "0BellFile=", "1BellFlag=0", "1BellFile=", "2BellFlag=0", "2BellFile="},
                    {"Bold=False", "Italic=False", "Name=", "Size=36"}));
}

TEST(LoadSettings, FlagsSurviveOnlyWhenTheirAmountIsNonZero) {
    // Stored entries, then IntFlag, NextFlag and FinFlag as loaded.
    const std::tuple<Entries, int, int, int> cases[] = {
        {{"IntFlag=1", "IntMin=0"}, 0, 0, 0},
        {{"IntFlag=1"}, 1, 0, 0},  // IntMin absent: its default 1
        {{"NextFlag=1", "NextSec=0"}, 0, 0, 0},
        {{"NextFlag=1", "NextSec=30"}, 0, 1, 0},
        {{"FinFlag=1", "FinHour=0", "FinMin=0", "FinNum=3"}, 0, 0, 0},
        {{"FinFlag=1", "FinHour=0", "FinMin=30"}, 0, 0, 1},
        {{"FinFlag=1"}, 0, 0, 1},               // FinHour defaults to 1
        {{"IntFlag=2", "IntMin=75"}, 2, 0, 0},  // hand-edited: taken unchanged
    };
    for (const auto& [stored, intFlag, nextFlag, finFlag] : cases) {
        SCOPED_TRACE(testing::PrintToString(stored));
        MemorySettingsStore store;
        put(store, stored);
        const Loaded loaded = load(store);
        EXPECT_EQ(loaded.settings.IntFlag, intFlag);
        EXPECT_EQ(loaded.settings.NextFlag, nextFlag);
        EXPECT_EQ(loaded.settings.FinFlag, finFlag);
    }
}

TEST(LoadSettings, TextsThatDoNotConvertTakeTheirDefaultAndTheRestStillLoads) {
    MemorySettingsStore store;
    // Letters, beyond 16 or 32 bits, empty, 10 MB: damage. Out of the dialogs' ranges: taken.
    put(store,
        {"IntFlag=1", "IntMin=75", "NextSec=many", "FinHour=2", "FinMin=40000", "Color=2147483648",
         "RestColor=-2147483640", "0BellFlag=", "2BellFlag=1", "2BellFile=/home/u/gong.wav"},
        {"Bold=maybe", "Italic=1", "Name=IPAGothic", "Size=７２"});
    store.put("Timer", "1BellFile", std::string(10'000'000, 'x'));
    const Loaded expected{{.IntFlag = 1,
                           .IntMin = 75,
                           .FinHour = 2,
                           .RestColor = -2147483640,
                           .BellFlag = {0, 0, 1},
                           .BellFile = {"", "", "/home/u/gong.wav"}},
                          {.Name = "IPAGothic", .Size = FontSize::fromWhole(72), .Italic = true}};
    EXPECT_EQ(load(store), expected);
}

TEST(LoadSettings, FontSizesMustBePositiveFiniteAndSane) {
    for (const char* text : {"0", "-12", "abc", "1e400", "100000", "4096.0001", ""}) {
        MemorySettingsStore store;
        store.put("Font", "Size", text);
        EXPECT_EQ(load(store).font.Size.toText(), "36") << text;
    }
}

TEST(SaveSettings, WritesAll21LoadedTextsBackInOrderEveryTime) {
    for (const std::string size : {"10.5", "36", "10.1", "511.9999", "4096"}) {
        const std::string sizeEntry = "Size=" + size;
        const auto written =
            calls(Call::Save,
                  {"IntFlag=1", "IntMin=59", "NextFlag=1", "NextSec=60", "ClearFlag=1", "FinFlag=1",
                   "FinHour=23", "FinMin=59", "FinNum=three", "Color=-2147483640",
                   "RestColor=11259375", "0BellFlag=0", "0BellFile=/kept/while/beeping.wav",
                   "1BellFlag=1", "1BellFile=", "2BellFlag=-3", "2BellFile=/bells/終了.wav"},
                  {"Bold=True", "Italic=False", "Name=ＭＳ Ｐゴシック", sizeEntry});
        MemorySettingsStore store;
        for (const Call& c : written) {
            store.put(c.section, c.key, c.text);
        }
        const Loaded loaded = load(store);
        store.clearCalls();
        SaveSettings(store, loaded.settings, loaded.font);
        EXPECT_EQ(store.calls(), written);
        store.clearCalls();
        SaveSettings(store, loaded.settings, loaded.font);  // unchanged: written again all the same
        EXPECT_EQ(store.calls(), written);
    }
}

TEST(DeleteSettings, RemovesTimerThenFontAndWritesNothing) {
    MemorySettingsStore store;
    DeleteSettings(store);
    EXPECT_EQ(store.calls(),
              (std::vector<Call>{{Call::Delete, "Timer", "", ""}, {Call::Delete, "Font", "", ""}}));
}

}  // namespace
