#include "support/MemorySettingsStore.h"

#include <algorithm>

std::string MemorySettingsStore::GetSetting(std::string_view section, std::string_view key,
                                            std::string_view defaultText) {
    const auto it = m_values.find(std::pair{std::string(section), std::string(key)});
    return it == m_values.end() ? std::string(defaultText) : it->second;
}

void MemorySettingsStore::SaveSetting(std::string_view section, std::string_view key,
                                      std::string_view text) {
    m_saves.push_back({std::string(section), std::string(key), std::string(text)});
    put(section, key, text);
}

void MemorySettingsStore::DeleteSetting(std::string_view section) {
    std::erase_if(m_values, [&](const auto& entry) { return entry.first.first == section; });
}

void MemorySettingsStore::put(std::string_view section, std::string_view key,
                              std::string_view text) {
    m_values[std::pair{std::string(section), std::string(key)}] = std::string(text);
}

bool MemorySettingsStore::hasSection(std::string_view section) const {
    return std::ranges::any_of(m_values,
                               [&](const auto& entry) { return entry.first.first == section; });
}
