#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "settings/SettingsStore.h"

// A store held in memory that records every call, for tests.
class MemorySettingsStore : public SettingsStore {
public:
    struct Call {
        enum Kind { Get, Save, Delete } kind;
        std::string section;
        std::string key;   // empty for Delete
        std::string text;  // the text saved, or the default asked for
        bool operator==(const Call&) const = default;
    };

    std::string GetSetting(std::string_view section, std::string_view key,
                           std::string_view defaultText) override;
    void SaveSetting(std::string_view section, std::string_view key,
                     std::string_view text) override;
    void DeleteSetting(std::string_view section) override;

    // Sets a value without recording a call, as a hand-edited store would hold it.
    void put(std::string_view section, std::string_view key, std::string_view text);
    bool hasSection(std::string_view section) const;

    const std::vector<Call>& calls() const { return m_calls; }
    void clearCalls() { m_calls.clear(); }

private:
    std::map<std::pair<std::string, std::string>, std::string, std::less<>> m_values;
    std::vector<Call> m_calls;
};
