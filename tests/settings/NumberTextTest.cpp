#include "settings/NumberText.h"

#include <gtest/gtest.h>

#include <string>

// That whole numbers round half to even and must fit their type is the number fuzzer's check.
TEST(NumberText, AcceptsWhatAJapaneseUserTypes) {
    EXPECT_EQ(ParseNumberText("\t\u3000－４．５ "), -4.5);  // full-width minus, digits and point
    EXPECT_EQ(ParseNumberText("＋.5"), 0.5);                // from_chars takes no plus
    EXPECT_EQ(ParseNumberText("\u22125.E+2"), -500.0);      // the minus sign
    // Booleans are words in any case, or numbers; stored and damaged words are the settings tests'.
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
