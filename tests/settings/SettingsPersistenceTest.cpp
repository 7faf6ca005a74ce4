#include "settings/SettingsPersistence.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/MemorySettingsStore.h"

namespace {

using Save = MemorySettingsStore::Save;
using Entries = std::vector<std::string>;  // "Key=text"

// The saves that write the entries: the timer keys, then the font keys, in that order.
std::vector<Save> saves(const Entries& timer, const Entries& font) {
    std::vector<Save> result;
    for (const auto& [section, entries] : {std::pair{"Timer", timer}, std::pair{"Font", font}}) {
        for (const std::string& entry : entries) {
            const auto eq = entry.find('=');
            result.push_back({section, entry.substr(0, eq), entry.substr(eq + 1)});
        }
    }
    return result;
}

// Loads from a store holding what the saves would write, put there as a hand-edited store would
// hold it. Starts from values unlike the defaults, so that a field the load forgets shows.
TimerSettings load(MemorySettingsStore& store, const std::vector<Save>& entries) {
    for (const Save& c : entries) {
        store.put(c.section, c.key, c.text);
    }
    TimerSettings result{
        .IntMin = 99, .FinNum = "stale", .Font = {"stale", FontSize::fromWhole(99), true, true}};
    LoadSettings(store, result);
    return result;
}

TEST(LoadSettings, DamagedTextsTakeTheirDefaultAndTheRestStillLoads) {
    MemorySettingsStore store;
    store.put("Timer", "1BellFile", std::string(10'000'000, 'x'));
    // Letters, beyond 16 or 32 bits, empty, 10 MB: damage. Out of the dialogs' ranges: taken.
    const TimerSettings loaded =
        load(store, saves({"IntFlag=1", "IntMin=75", "NextSec=many", "FinHour=2", "FinMin=40000",
                           "Color=2147483648", "RestColor=-2147483640", "0BellFlag=", "2BellFlag=1",
                           "2BellFile=/home/u/gong.wav"},
                          {"Bold=maybe", "Italic=1", "Name=IPAGothic", "Size=７２"}));
    const TimerSettings expected{
        .IntFlag = 1,
        .IntMin = 75,
        .FinHour = 2,
        .RestColor = -2147483640,
        .BellFlag = {0, 0, 1},
        .BellFile = {"", "", "/home/u/gong.wav"},
        .Font = {.Name = "IPAGothic", .Size = FontSize::fromWhole(72), .Italic = true}};
    EXPECT_EQ(loaded, expected);

    // Font sizes must be positive, finite and sane.
    for (const std::string size : {"0", "-12", "abc", "1e400", "100000", "4096.0001", ""}) {
        MemorySettingsStore sizeStore;
        EXPECT_EQ(load(sizeStore, saves({}, {"Size=" + size})).Font.Size.toText(), "36") << size;
    }
}

TEST(SaveSettings, WritesAll21LoadedTextsBackInOrderEveryTime) {
    for (const std::string size : {"10.5", "36", "10.1", "511.9999", "4096"}) {
        const auto written =
            saves({"IntFlag=1", "IntMin=59", "NextFlag=1", "NextSec=60", "ClearFlag=1", "FinFlag=1",
                   "FinHour=23", "FinMin=59", "FinNum=three", "Color=-2147483640",
                   "RestColor=11259375", "0BellFlag=0", "0BellFile=/kept/while/beeping.wav",
                   "1BellFlag=1", "1BellFile=", "2BellFlag=-3", "2BellFile=/bells/終了.wav"},
                  {"Bold=True", "Italic=False", "Name=ＭＳ Ｐゴシック", "Size=" + size});
        MemorySettingsStore store;
        const TimerSettings loaded = load(store, written);
        for (int save = 0; save < 2; ++save) {  // unchanged: written again all the same
            store.saves.clear();
            SaveSettings(store, loaded);
            EXPECT_EQ(store.saves, written);
        }
    }
}

}  // namespace
