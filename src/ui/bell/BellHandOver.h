#pragma once

#include <cstdint>
#include <string>

// Carries one bell from the Options dialog into the bell chooser and back. Never persisted.
struct BellHandOver {
    std::int16_t EditBellFlag = 0;  // 0 = built-in beep, 1 = WAV file
    std::string EditBellFile;
};
