#include "settings/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

// Decodes one UTF-8 sequence at text[pos]; returns the code point and advances pos, or
// returns -1 for a malformed sequence.
long decodeUtf8(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    int length = 0;
    long cp = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
    } else {
        return -1;
    }
    if (pos + static_cast<std::size_t>(length) > text.size()) {
        return -1;
    }
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + static_cast<std::size_t>(i)]);
        if ((next & 0xC0) != 0x80) {
            return -1;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    pos += static_cast<std::size_t>(length);
    return cp;
}

// Folds full-width forms (U+FF01..U+FF5E), the ideographic space and the minus sign onto
// ASCII; any other non-ASCII character cannot be part of a number.
std::optional<std::string> foldToAscii(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        long cp = decodeUtf8(text, pos);
        if (cp >= 0xFF01 && cp <= 0xFF5E) {
            cp -= 0xFEE0;
        } else if (cp == 0x3000) {
            cp = ' ';
        } else if (cp == 0x2212) {
            cp = '-';
        }
        if (cp < 0 || cp >= 0x80) {
            return std::nullopt;
        }
        out.push_back(static_cast<char>(cp));
    }
    return out;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// sign? (digits ("." digits?)? | "." digits) (("e"|"E") sign? digits)?
bool isDecimalNumber(std::string_view s) {
    std::size_t i = 0;
    auto digits = [&] {
        const std::size_t start = i;
        while (i < s.size() && isDigit(s[i])) {
            ++i;
        }
        return i - start;
    };
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        ++i;
    }
    std::size_t mantissa = digits();
    if (i < s.size() && s[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) {
        return false;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            ++i;
        }
        if (digits() == 0) {
            return false;
        }
    }
    return i == s.size();
}

// Rounds half to even without depending on the floating-point environment.
double roundHalfToEven(double value) {
    const double lower = std::floor(value);
    const double diff = value - lower;
    if (diff < 0.5) {
        return lower;
    }
    if (diff > 0.5) {
        return lower + 1;
    }
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

template <typename Int>
std::optional<Int> parseWhole(std::string_view text) {
    const auto number = ParseNumberText(text);
    if (!number) {
        return std::nullopt;
    }
    const double rounded = roundHalfToEven(*number);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
        return std::nullopt;
    }
    return static_cast<Int>(rounded);
}

}  // namespace

std::optional<double> ParseNumberText(std::string_view text) {
    const auto folded = foldToAscii(text);
    if (!folded) {
        return std::nullopt;
    }
    std::string_view s = trimBlanks(*folded);
    if (!isDecimalNumber(s)) {
        return std::nullopt;
    }
    // from_chars takes no leading plus.
    if (s.front() == '+') {
        s.remove_prefix(1);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc() || end != s.data() + s.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::int16_t> ParseInt16Text(std::string_view text) {
    return parseWhole<std::int16_t>(text);
}

std::optional<std::int32_t> ParseInt32Text(std::string_view text) {
    return parseWhole<std::int32_t>(text);
}

std::optional<bool> ParseBoolText(std::string_view text) {
    const auto folded = foldToAscii(text);
    if (folded) {
        std::string word(trimBlanks(*folded));
        for (char& c : word) {
            if (c >= 'A' && c <= 'Z') {
                c = static_cast<char>(c - 'A' + 'a');
            }
        }
        if (word == "true") {
            return true;
        }
        if (word == "false") {
            return false;
        }
    }
    if (const auto number = ParseNumberText(text)) {
        return *number != 0;
    }
    return std::nullopt;
}
