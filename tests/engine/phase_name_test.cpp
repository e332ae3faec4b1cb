#include <gtest/gtest.h>

#include "engine/phase_name.h"

TEST(MoonPhaseName, BoundsAreInclusiveOnTheUpperSide) {
    EXPECT_EQ(MoonPhaseName(0.0, 1, false), "New Moon");
    EXPECT_EQ(MoonPhaseName(3.0, 1, false), "New Moon");
    EXPECT_EQ(MoonPhaseName(3.0001, 1, false), "Waxing Crescent");
    EXPECT_EQ(MoonPhaseName(25.0, 1, false), "First Quarter");
    EXPECT_EQ(MoonPhaseName(27.5, 1, false), "Waxing Gibbous");
    EXPECT_EQ(MoonPhaseName(53.0, 9, false), "Full (Harvest) Moon");
    EXPECT_EQ(MoonPhaseName(47.01, 10, false), "Full (Hunter's) Moon");
    EXPECT_EQ(MoonPhaseName(50.0, 8, true), "Full (Blue) Moon");
    EXPECT_EQ(MoonPhaseName(53.01, 1, false), "Waning Gibbous");
    EXPECT_EQ(MoonPhaseName(75.0, 1, false), "Last Quarter");
    EXPECT_EQ(MoonPhaseName(97.0, 1, false), "Waning Crescent");
    EXPECT_EQ(MoonPhaseName(97.01, 1, false), "New Moon");
    EXPECT_EQ(MoonPhaseName(50.0, 1, false), "Full (Wolf) Moon");
    EXPECT_EQ(MoonPhaseName(50.0, 12, false), "Full (Cold) Moon");
    EXPECT_NEAR(LunationPercent(14.765, 0.0, 29.53), 50.0, 1e-9);
}
