#include "win32/scale.h"

#include <gtest/gtest.h>

using win32::ScaleX;
using win32::ScaleY;

TEST(Scale, MultipliesBeforeDividingAndTruncates) {
    EXPECT_EQ(ScaleX(1920, 100), 100);
    EXPECT_EQ(ScaleX(1280, 100), 66);   // 128000 / 1920 = 66.67
    EXPECT_EQ(ScaleY(768, 70), 52);     // 53760 / 1024 = 52.5
    EXPECT_EQ(ScaleX(1024, 3), 1);      // dividing first would give 0
    EXPECT_EQ(ScaleY(1080, 200), 210);  // 216000 / 1024 = 210.9
}

TEST(Scale, LargeScreensDoNotOverflow) {
    EXPECT_EQ(win32::Scale(2000000000, 1920, 1920), 2000000000);
}
