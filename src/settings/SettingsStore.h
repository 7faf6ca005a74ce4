#pragma once

#include <string>
#include <string_view>

// The per-user settings store of the application: sections of keys holding texts.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text, or defaultText when the key is absent. A key stored with an empty
    // text yields the empty text.
    virtual std::string GetSetting(std::string_view section, std::string_view key,
                                   std::string_view defaultText) = 0;
    // Creates the section and key as needed; replaces an existing value.
    virtual void SaveSetting(std::string_view section, std::string_view key,
                             std::string_view text) = 0;
    // Removes the section with all its keys; a missing section is no error.
    virtual void DeleteSetting(std::string_view section) = 0;
};
