#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A font size in points held exactly to four fractional digits, so that sizes such as 10.1
// survive a save and load as the same text. Binary floating point cannot promise that.
class FontSize {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr FontSize() = default;
    static constexpr FontSize fromWhole(std::int64_t points) { return FontSize(points * Scale); }
    // Rounds to the nearest ten-thousandth; non-finite input gives nothing.
    static std::optional<FontSize> fromPoints(double points);
    // Reads the text the way numbers typed by the user are read (see NumberText.h).
    static std::optional<FontSize> fromText(std::string_view text);

    double points() const { return static_cast<double>(m_units) / Scale; }
    // Decimal text with a point, up to four fractional digits, no trailing zeros: "36", "10.5".
    std::string toText() const;

    constexpr auto operator<=>(const FontSize&) const = default;

private:
    constexpr explicit FontSize(std::int64_t units) : m_units(units) {}
    std::int64_t m_units = 0;
};
