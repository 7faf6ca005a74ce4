#pragma once

#include "settings/SettingsStore.h"
#include "settings/TimerSettings.h"

inline constexpr const char* TimerSection = "Timer";
inline constexpr const char* FontSection = "Font";

// Fills every field from the store, taking a key's default when it is absent or its text
// does not convert, and applies the flag rules (FlagRules.h).
void LoadSettings(SettingsStore& store, TimerSettings& settings);
// Writes all 21 keys, in their fixed order.
void SaveSettings(SettingsStore& store, const TimerSettings& settings);
// Removes section "Timer", then section "Font".
void DeleteSettings(SettingsStore& store);
