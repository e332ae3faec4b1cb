// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engine/almanac_text.h"
#include "engine/apsides.h"
#include "engine/date_time.h"
#include "engine_test_helpers.h"

namespace {

TEST(Apsides, BookExampleOctober1988) {
    // Meeus, ex. 50.a: the apogee of 7 October 1988, 20h30m TD.
    const TApsis apogee = ApsisPassage(-148.5);
    EXPECT_NEAR(apogee.JDE, 2447442.3543, 1e-4);
    // The book prints 3240.679"; with the cos 4D coefficient 0.335 of table 50.B the sum
    // is 0.010" larger.
    EXPECT_NEAR(apogee.ParallaxArcsec, 3240.689, 1e-3);
    EXPECT_NEAR(apogee.DistanceKm, 405975, 1.0);

    const TApsis perigee = ApsisPassage(-148.0);
    EXPECT_NEAR(perigee.JDE, 2447458.0137, 1e-4);
    EXPECT_NEAR(perigee.ParallaxArcsec, 3643.336, 1e-3);
    EXPECT_NEAR(perigee.DistanceKm, 361113, 1.0);

    // Searched from 1 October 1988, 0h, at Greenwich.
    const TApsidesText text = ApsidesText(NextApsides(2447435.5), TObserver{});
    EXPECT_EQ(text.ApogeeTime, "20:30  07 Oct  ");
    EXPECT_EQ(text.ApogeeDistance, "405975 km  ");
    EXPECT_EQ(text.PerigeeTime, "12:20  23 Oct  ");
    EXPECT_EQ(text.PerigeeDistance, "361113 km  ");

    // The zone moves only the shown time; ten hours east the apogee is on 8 October.
    EXPECT_EQ(ApsidesText(NextApsides(2447435.5), Place(0, 0, 600)).ApogeeTime, "06:30  08 Oct  ");

    // Halifax shows 01:56 twice on 2 November 2008: the apogee is at the first, in ADT.
    const TObserver halifax{0.0, 0.0, *LookUpNamedZone("America/Halifax").Zone};
    EXPECT_EQ(ApsidesText(NextApsides(2454760.5), halifax).ApogeeTime, "01:56 ADT  02 Nov  ");
}

TEST(Apsides, BookPerigeesOf1990And1997) {
    // Meeus, p. 361: perigees by these series, 1997 Dec 9 16.9h, 1998 Jan 3 8.5h,
    // 1990 Dec 2 10.8h, 1990 Dec 30 23.8h (TD).
    const struct {
        double K, JD;
    } cases[] = {{-27, 2450791.5 + 16.9 / 24},
                 {-26, 2450816.5 + 8.5 / 24},
                 {-120, 2448227.5 + 10.8 / 24},
                 {-119, 2448255.5 + 23.8 / 24}};
    for (const auto& c : cases)
        EXPECT_NEAR(ApsisPassage(c.K).JDE, c.JD, 0.06 / 24) << c.K;
}

TEST(Apsides, AMomentOnAPassageReportsIt) {
    const TApsis perigee = ApsisPassage(-148.0);
    EXPECT_EQ(NextApsides(perigee.JDE).Perigee.K, -148.0);
    EXPECT_EQ(NextApsides(perigee.JDE + 1e-6).Perigee.K, -147.0);
}

// From every moment, the reported perigee and apogee are the first ones at or after it:
// each lies ahead and the one before it lies behind.
TEST(Apsides, NextPassagesFromYear1To9999) {
    double minApart = 99, maxApart = 0;
    for (double jd = 1721423.5 + 0.29; jd < 5373484.5; jd += 13.7) {
        const TNextApsides next = NextApsides(jd);
        ASSERT_GE(next.Perigee.JDE, jd) << "JD " << jd;
        ASSERT_GE(next.Apogee.JDE, jd) << "JD " << jd;
        ASSERT_LT(ApsisPassage(next.Perigee.K - 1.0).JDE, jd) << "JD " << jd;
        ASSERT_LT(ApsisPassage(next.Apogee.K - 1.0).JDE, jd) << "JD " << jd;
        const double apart = std::fabs(next.Perigee.JDE - next.Apogee.JDE);
        minApart = std::min(minApart, apart);
        maxApart = std::max(maxApart, apart);
    }
    // Half an anomalistic month, give or take the corrections.
    EXPECT_GT(minApart, 9.0);
    EXPECT_LT(maxApart, 19.0);
}

TEST(Apsides, DistancesOver1900To2100) {
    double minPerigee = 1e9, maxPerigee = 0, minApogee = 1e9, maxApogee = 0;
    for (double k = -1326; k <= 1326; k += 0.5) {
        const TApsis a = ApsisPassage(k);
        if (k == std::floor(k)) {
            minPerigee = std::min(minPerigee, a.DistanceKm);
            maxPerigee = std::max(maxPerigee, a.DistanceKm);
        } else {
            minApogee = std::min(minApogee, a.DistanceKm);
            maxApogee = std::max(maxApogee, a.DistanceKm);
        }
    }
    // Perigees 356,400 to 370,400 km, apogees 404,000 to 406,750 km.
    EXPECT_GT(minPerigee, 356300);
    EXPECT_LT(maxPerigee, 370500);
    EXPECT_GT(minApogee, 404000);
    EXPECT_LT(maxApogee, 406800);
}

TEST(Apsides, BadMomentsDoNotHang) {
    for (double jd : {std::nan(""), 1e300, -1e300, 0.0}) {
        const TApsidesText text = ApsidesText(NextApsides(jd), TObserver{});
        EXPECT_FALSE(text.PerigeeTime.empty());
        EXPECT_LE(text.ApogeeTime.size(), 25u);
    }
}

} // namespace
