// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <iterator>
#include <utility>

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

TEST(MoonPhaseName, EveryBoundOnBothSides) {
    // Each name holds up to and including its bound; just above it the next name begins.
    const std::pair<double, const char*> bounds[] = {
        {3, "New Moon"},        {23, "Waxing Crescent"},  {27, "First Quarter"},
        {47, "Waxing Gibbous"}, {53, "Full (Pink) Moon"}, {73, "Waning Gibbous"},
        {77, "Last Quarter"},   {97, "Waning Crescent"},  {100, "New Moon"}};
    for (size_t i = 0; i < std::size(bounds); ++i) {
        const auto [bound, name] = bounds[i];
        EXPECT_EQ(MoonPhaseName(bound, 4, false), name) << bound;
        EXPECT_EQ(MoonPhaseName(bound - 1e-9, 4, false), name) << bound;
        if (i + 1 < std::size(bounds)) {
            EXPECT_EQ(MoonPhaseName(bound + 1e-9, 4, false), bounds[i + 1].second) << bound;
        }
    }
    EXPECT_EQ(MoonPhaseName(-0.5, 4, false), "New Moon");
    EXPECT_EQ(LunationPercent(5.0, 10.0, 10.0), 0.0); // no lunation: no division by zero
    EXPECT_STREQ(TraditionalFullMoonName(0), "");
    EXPECT_STREQ(TraditionalFullMoonName(13), "");
}
