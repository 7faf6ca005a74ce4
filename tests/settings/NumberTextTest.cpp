#include "settings/NumberText.h"

#include <gtest/gtest.h>

#include <string>

TEST(NumberText, AcceptsWhatAJapaneseUserTypes) {
    EXPECT_EQ(ParseNumberText("\t\u3000－４．５ "), -4.5);  // full-width minus, digits and point
    EXPECT_EQ(ParseNumberText("＋.5"), 0.5);                // from_chars takes no plus
    EXPECT_EQ(ParseNumberText("\u22125.E+2"), -500.0);      // the minus sign
    // Booleans are words in any case, or numbers. The stored "True"/"False" and damaged words
    // are read in the settings tests.
    EXPECT_EQ(ParseBoolText(" TRUE "), true);
    EXPECT_EQ(ParseBoolText("0"), false);
}

TEST(NumberText, RejectsWhatIsNoNumber) {
    for (const char* text : {"", "   ", "abc", "3 rounds", "1,5", "--1", "1e", ".", "+", "0x10",
                             "inf", "nan", "1e999", "５分", "\xff\xfe", "\xe3\x80"}) {
        EXPECT_FALSE(ParseNumberText(text).has_value()) << text;
    }
    // Huge texts are rejected, not crashed on.
    EXPECT_FALSE(ParseNumberText(std::string(10'000'000, 'x')).has_value());
    EXPECT_FALSE(ParseInt16Text(std::string(100'000, '9')).has_value());
}

TEST(NumberText, WholeNumbersRoundHalfToEvenAndMustFitTheirType) {
    const std::pair<const char*, int> fits[] = {
        {"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"2.51", 3}, {"32767.4", 32767}, {"-32768", -32768}};
    for (const auto& [text, value] : fits) {
        EXPECT_EQ(ParseInt16Text(text), value) << text;
    }
    EXPECT_FALSE(ParseInt16Text("32767.5").has_value());  // rounds to 32768
    EXPECT_FALSE(ParseInt16Text("-32769").has_value());
    EXPECT_EQ(ParseInt32Text("2147483647"), 2147483647);
    EXPECT_FALSE(ParseInt32Text("2147483648").has_value());
}
