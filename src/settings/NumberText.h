#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Reads numbers the way a Japanese user types them: surrounding blanks (the full-width space
// too) are ignored, full-width digits, signs and point are accepted, and a fraction and an
// exponent are allowed. Anything else is no number. Texts are UTF-8.
std::optional<double> ParseNumberText(std::string_view text);

// A number as above, rounded half to even, that fits the type; otherwise nothing.
std::optional<std::int16_t> ParseInt16Text(std::string_view text);
std::optional<std::int32_t> ParseInt32Text(std::string_view text);

// "True" or "False" in any letter case, or a number (non-zero is true).
std::optional<bool> ParseBoolText(std::string_view text);
