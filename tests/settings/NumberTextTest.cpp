#include "settings/NumberText.h"

#include <gtest/gtest.h>

#include <string>

TEST(NumberText, AcceptsWhatAJapaneseUserTypes) {
    EXPECT_EQ(ParseNumberText("\t\u3000－４．５ "), -4.5);  // full-width minus, digits and point
    EXPECT_EQ(ParseNumberText("＋.5"), 0.5);                // from_chars takes no plus
    EXPECT_EQ(ParseNumberText("\u22125.E+2"), -500.0);      // the minus sign
}

TEST(NumberText, RejectsWhatIsNoNumber) {
    for (const char* text : {"", "   ", "abc", "3 rounds", "1,5", "--1", "1e", ".", "+", "0x10",
                             "inf", "nan", "1e999", "５分", "\xff\xfe", "\xe3\x80"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(ParseNumberText(text).has_value());
    }
    // Huge texts are rejected, not crashed on.
    EXPECT_FALSE(ParseNumberText(std::string(10'000'000, 'x')).has_value());
    EXPECT_FALSE(ParseInt16Text(std::string(100'000, '9')).has_value());
}

TEST(NumberText, WholeNumbersRoundHalfToEvenAndMustFitTheirType) {
    EXPECT_EQ(ParseInt16Text("2.5"), 2);
    EXPECT_EQ(ParseInt16Text("3.5"), 4);
    EXPECT_EQ(ParseInt16Text("-2.5"), -2);
    EXPECT_EQ(ParseInt16Text("2.51"), 3);
    EXPECT_EQ(ParseInt16Text("32767.4"), 32767);
    EXPECT_FALSE(ParseInt16Text("32767.5").has_value());  // rounds to 32768
    EXPECT_EQ(ParseInt16Text("-32768"), -32768);
    EXPECT_FALSE(ParseInt16Text("-32769").has_value());
    EXPECT_EQ(ParseInt32Text("2147483647"), 2147483647);
    EXPECT_FALSE(ParseInt32Text("2147483648").has_value());
}

TEST(NumberText, BooleansAreWordsInAnyCaseOrNumbers) {
    EXPECT_EQ(ParseBoolText(" TRUE "), true);
    EXPECT_EQ(ParseBoolText("false"), false);
    EXPECT_EQ(ParseBoolText("0"), false);
    EXPECT_EQ(ParseBoolText("-1"), true);
    EXPECT_FALSE(ParseBoolText("yes").has_value());
}
