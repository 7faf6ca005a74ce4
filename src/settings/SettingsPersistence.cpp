#include "settings/SettingsPersistence.h"

#include <optional>
#include <string>

#include "settings/FlagRules.h"
#include "settings/NumberText.h"

namespace {

// No path, face name or round count is this long (Linux paths end at 4096 bytes); a longer
// text is damage, not a setting.
constexpr std::size_t MaxStoredTextLength = 4096;

// Stored sizes beyond this many points are taken for damage: eight times the largest size
// the font chooser offers.
constexpr std::int64_t MaxStoredFontPoints = 4096;

std::string bellKey(BellSlot slot, const char* name) {
    return std::to_string(slot) + name;
}

// Each reader asks the store with the key's default as text and falls back to the same
// default when the stored text does not convert.
class Reader {
public:
    Reader(SettingsStore& store, const char* section) : m_store(store), m_section(section) {}

    std::int16_t int16(const std::string& key, std::int16_t fallback) {
        return ParseInt16Text(text(key, std::to_string(fallback))).value_or(fallback);
    }
    std::int32_t int32(const std::string& key, std::int32_t fallback) {
        return ParseInt32Text(text(key, std::to_string(fallback))).value_or(fallback);
    }
    bool boolean(const std::string& key, bool fallback) {
        return ParseBoolText(text(key, fallback ? "True" : "False")).value_or(fallback);
    }
    std::string text(const std::string& key, const std::string& fallback) {
        std::string value = m_store.GetSetting(m_section, key, fallback);
        return value.size() > MaxStoredTextLength ? fallback : value;
    }
    FontSize size(const std::string& key, FontSize fallback) {
        const auto size = FontSize::fromText(text(key, fallback.toText()));
        if (!size || *size <= FontSize() || *size > FontSize::fromWhole(MaxStoredFontPoints)) {
            return fallback;
        }
        return *size;
    }

private:
    SettingsStore& m_store;
    const char* m_section;
};

class Writer {
public:
    Writer(SettingsStore& store, const char* section) : m_store(store), m_section(section) {}

    void number(const std::string& key, std::int64_t value) {
        m_store.SaveSetting(m_section, key, std::to_string(value));
    }
    void boolean(const std::string& key, bool value) {
        m_store.SaveSetting(m_section, key, value ? "True" : "False");
    }
    void text(const std::string& key, const std::string& value) {
        m_store.SaveSetting(m_section, key, value);
    }

private:
    SettingsStore& m_store;
    const char* m_section;
};

}  // namespace

void LoadSettings(SettingsStore& store, TimerSettings& s) {
    const TimerSettings defaults;
    Reader timer(store, TimerSection);

    s.IntFlag = timer.int16("IntFlag", defaults.IntFlag);
    s.IntMin = timer.int16("IntMin", defaults.IntMin);
    s.NextFlag = timer.int16("NextFlag", defaults.NextFlag);
    s.NextSec = timer.int16("NextSec", defaults.NextSec);
    s.ClearFlag = timer.int16("ClearFlag", defaults.ClearFlag);
    s.FinFlag = timer.int16("FinFlag", defaults.FinFlag);
    s.FinHour = timer.int16("FinHour", defaults.FinHour);
    s.FinMin = timer.int16("FinMin", defaults.FinMin);
    s.FinNum = timer.text("FinNum", defaults.FinNum);
    s.Color = timer.int32("Color", defaults.Color);
    s.RestColor = timer.int32("RestColor", defaults.RestColor);
    for (BellSlot slot = 0; slot < BellSlotCount; ++slot) {
        const auto i = static_cast<std::size_t>(slot);
        s.BellFlag[i] = timer.int16(bellKey(slot, "BellFlag"), defaults.BellFlag[i]);
        s.BellFile[i] = timer.text(bellKey(slot, "BellFile"), defaults.BellFile[i]);
    }
    ApplyFlagRules(s);

    Reader font(store, FontSection);
    s.Font.Bold = font.boolean("Bold", defaults.Font.Bold);
    s.Font.Italic = font.boolean("Italic", defaults.Font.Italic);
    s.Font.Name = font.text("Name", defaults.Font.Name);
    s.Font.Size = font.size("Size", defaults.Font.Size);
}

void SaveSettings(SettingsStore& store, const TimerSettings& s) {
    Writer timer(store, TimerSection);
    timer.number("IntFlag", s.IntFlag);
    timer.number("IntMin", s.IntMin);
    timer.number("NextFlag", s.NextFlag);
    timer.number("NextSec", s.NextSec);
    timer.number("ClearFlag", s.ClearFlag);
    timer.number("FinFlag", s.FinFlag);
    timer.number("FinHour", s.FinHour);
    timer.number("FinMin", s.FinMin);
    timer.text("FinNum", s.FinNum);
    timer.number("Color", s.Color);
    timer.number("RestColor", s.RestColor);
    for (BellSlot slot = 0; slot < BellSlotCount; ++slot) {
        const auto i = static_cast<std::size_t>(slot);
        timer.number(bellKey(slot, "BellFlag"), s.BellFlag[i]);
        timer.text(bellKey(slot, "BellFile"), s.BellFile[i]);
    }

    Writer font(store, FontSection);
    font.boolean("Bold", s.Font.Bold);
    font.boolean("Italic", s.Font.Italic);
    font.text("Name", s.Font.Name);
    font.text("Size", s.Font.Size.toText());
}

void DeleteSettings(SettingsStore& store) {
    store.DeleteSetting(TimerSection);
    store.DeleteSetting(FontSection);
}
