// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "engine/moon.h"
#include "engine/nutation.h"
#include "engine/term_trig.h"

namespace {

TEST(TermTrig, FastProductsAgreeWithTheSineOfTheSummedArgument) {
    // Every combination of -3..4, 0..2 and -2..2 times the three angles, in this order.
    constexpr TTermMultiples<3> table = [] {
        TTermMultiples<3> used;
        for (int a = -3; a <= 4; ++a)
            for (int b = 0; b <= 2; ++b)
                for (int c = -2; c <= 2; ++c)
                    used.Add({a, b, c});
        return used;
    }();
    for (const std::array<double, 3> angles :
         {std::array<double, 3>{0.1, 2.5, 6.28}, {3.14159, 1e-9, 4.7}, {6.2831853, 5.5, 0.75}}) {
        const TExactTermTrig<3> exact(angles);
        const TFastTermTrig<3, table> fast(angles);
        size_t term = 0;
        for (int a = -3; a <= 4; ++a)
            for (int b = 0; b <= 2; ++b)
                for (int c = -2; c <= 2; ++c, ++term) {
                    const TSinCos e = exact.SinCos(term, {a, b, c});
                    const TSinCos f = fast.SinCos(term, {a, b, c});
                    EXPECT_NEAR(f.Sin, e.Sin, 1e-14) << a << " " << b << " " << c;
                    EXPECT_NEAR(f.Cos, e.Cos, 1e-14) << a << " " << b << " " << c;
                    EXPECT_EQ(fast.Sin(term, {a, b, c}), f.Sin);
                }
    }
}

TEST(TermTrig, FastMoonPlaceAndNutationAgreeWithTheExactOnes) {
    // From 4000 BC to AD 8000, every 3.7 days and a fraction.
    for (double jd = 260000.5; jd < 4650000.0; jd += 3217.37) {
        SCOPED_TRACE(testing::Message() << "JD " << jd);
        const TMoonPlace exact = MoonApparentPlace(jd);
        const TMoonPlace fast = FastMoonApparentPlace(jd);
        EXPECT_NEAR(std::remainder(fast.Equatorial.RADeg - exact.Equatorial.RADeg, 360.0), 0.0,
                    1e-9);
        EXPECT_NEAR(fast.Equatorial.DecDeg, exact.Equatorial.DecDeg, 1e-9);
        EXPECT_NEAR(fast.DistanceKm, exact.DistanceKm, 1e-6);
        EXPECT_NEAR(fast.ParallaxDeg, exact.ParallaxDeg, 1e-12);
        const TNutation n = Nutation(jd);
        const TNutation nf = FastNutation(jd);
        EXPECT_NEAR(nf.DeltaPsi, n.DeltaPsi, 1e-9);
        EXPECT_NEAR(nf.DeltaEps, n.DeltaEps, 1e-9);
    }
    // Meeus, ex. 22.a: 1987 April 10 at 0h TD, delta psi = -3.788", delta epsilon = +9.443".
    const TNutation april1987 = FastNutation(2446895.5);
    EXPECT_NEAR(april1987.DeltaPsi, -3.788, 0.001);
    EXPECT_NEAR(april1987.DeltaEps, 9.443, 0.001);
}

} // namespace
