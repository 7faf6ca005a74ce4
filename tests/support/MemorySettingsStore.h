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
        std::string section;
        std::string key;
        std::string text;
        bool operator==(const Save&) const = default;
    };

    std::string GetSetting(std::string_view section, std::string_view key,
                           std::string_view defaultText) override;
    void SaveSetting(std::string_view section, std::string_view key,
                     std::string_view text) override;
    void DeleteSetting(std::string_view section) override;

    // Sets a value without recording a save, as a hand-edited store would hold it.
    void put(std::string_view section, std::string_view key, std::string_view text);
    bool hasSection(std::string_view section) const;

    const std::vector<Save>& saves() const { return m_saves; }
    void clearSaves() { m_saves.clear(); }

private:
    std::map<std::pair<std::string, std::string>, std::string, std::less<>> m_values;
    std::vector<Save> m_saves;
};
