#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "settings/SettingsStore.h"

// A store held in memory that records every save, for tests.
class MemorySettingsStore : public SettingsStore {
public:
    struct Save {
        std::string section, key, text;
        bool operator==(const Save&) const = default;
    };

    std::string GetSetting(std::string_view section, std::string_view key,
                           std::string_view defaultText) override {
        const auto it = m_values.find({std::string(section), std::string(key)});
        return std::string(it == m_values.end() ? defaultText : it->second);
    }
    void SaveSetting(std::string_view section, std::string_view key,
                     std::string_view text) override {
        saves.push_back({std::string(section), std::string(key), std::string(text)});
        put(section, key, text);
    }
    void DeleteSetting(std::string_view section) override {
        std::erase_if(m_values, [&](const auto& entry) { return entry.first.first == section; });
    }
    // Sets a value without recording a save, as a hand-edited store would hold it.
    void put(std::string_view section, std::string_view key, std::string_view text) {
        m_values[{std::string(section), std::string(key)}] = text;
    }

    std::vector<Save> saves;

private:
    std::map<std::pair<std::string, std::string>, std::string> m_values;
};
