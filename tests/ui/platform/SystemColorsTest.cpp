#include "ui/platform/SystemColors.h"

#include <gtest/gtest.h>

TEST(SystemColors, FixedColoursHaveRedInTheLowByteAndSystemColoursComeFromThePalette) {
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Base, QColor(1, 1, 1));
    palette.setColor(QPalette::Active, QPalette::Text, QColor(2, 2, 2));
    palette.setColor(QPalette::Active, QPalette::Button, QColor(3, 3, 3));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(4, 4, 4));
    EXPECT_EQ(ResolveColor(0x00123456, palette), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(ColorValue(QColor(0x56, 0x34, 0x12)), 0x00123456);
    EXPECT_EQ(ResolveColor(SystemColor::WindowBackground, palette), QColor(1, 1, 1));
    EXPECT_EQ(ResolveColor(SystemColor::WindowText, palette), QColor(2, 2, 2));
    EXPECT_EQ(ResolveColor(SystemColor::ButtonFace, palette), QColor(3, 3, 3));
    EXPECT_EQ(ResolveColor(SystemColor::GrayText, palette), QColor(4, 4, 4));
    // An element the program does not know is drawn as text, never as garbage.
    EXPECT_EQ(ResolveColor(static_cast<std::int32_t>(0x800000FFu), palette), QColor(2, 2, 2));
}
