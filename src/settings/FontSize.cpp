#include "settings/FontSize.h"

#include <cmath>

#include "settings/NumberText.h"

std::optional<FontSize> FontSize::fromPoints(double points) {
    if (!std::isfinite(points)) {
        return std::nullopt;
    }
    const double units = std::round(points * Scale);
    // Far beyond any font size, but keeps the conversion defined.
    if (std::fabs(units) > 9.0e15) {
        return std::nullopt;
    }
    return FontSize(static_cast<std::int64_t>(units));
}

std::optional<FontSize> FontSize::fromText(std::string_view text) {
    const auto points = ParseNumberText(text);
    if (!points) {
        return std::nullopt;
    }
    return fromPoints(*points);
}

std::string FontSize::toText() const {
    const bool negative = m_units < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(m_units) : static_cast<std::uint64_t>(m_units);
    std::string text = negative ? "-" : "";
    text += std::to_string(magnitude / Scale);
    std::uint64_t fraction = magnitude % Scale;
    if (fraction != 0) {
        std::string digits = std::to_string(fraction + Scale).substr(1);  // four digits
        digits.erase(digits.find_last_not_of('0') + 1);
        text += '.' + digits;
    }
    return text;
}
