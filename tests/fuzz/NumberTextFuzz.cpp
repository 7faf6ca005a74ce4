// Arbitrary bytes as a number typed into an Options field, a round count (FinNum) or a font
// size: the readings must agree with each other and never fail.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/FontSize.h"
#include "settings/NumberText.h"

namespace {

void require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto number = ParseNumberText(text);
    const auto int16 = ParseInt16Text(text);
    const auto int32 = ParseInt32Text(text);
    const auto boolean = ParseBoolText(text);
    const auto fontSize = FontSize::fromText(text);

    // Each integer reading is the number rounded half to even, when it fits.
    if (number && std::isfinite(*number)) {
        const double rounded = std::nearbyint(*number);
        require(int16.has_value() == (rounded >= INT16_MIN && rounded <= INT16_MAX));
        require(int32.has_value() == (rounded >= INT32_MIN && rounded <= INT32_MAX));
        require(!int16 || *int16 == rounded);
        require(!int32 || *int32 == rounded);
    } else {
        require(!int16 && !int32);
    }
    require(!int16 || int32);
    // A number is a truth value too; a font size is a number.
    require(!number || !std::isfinite(*number) || boolean);
    require(!fontSize || number);
    // Sizes keep their text exactly as far as the program holds them (the store takes up to
    // 4096 points); around 10^11 points the ten-thousandths outrun a double's precision.
    if (fontSize && *fontSize > FontSize() && *fontSize <= FontSize::fromWhole(4096)) {
        require(FontSize::fromText(fontSize->toText()) == fontSize);
    }
    return 0;
}
