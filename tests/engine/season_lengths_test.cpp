// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "engine/seasons.h"
#include "engine_test_helpers.h"

namespace {

// The winter season (December solstice to the next March equinox) is as long as the gap
// between the two refined instants, as the other three seasons are: the next equinox taken
// at its mean instant is off by up to hundredths of a day.
TEST(SeasonLengths, DecemberSeasonEndsAtTheRefinedEquinox) {
    const TObserver greenwich = Place(51.48, 0.0, 0);
    double worst = 0.0;
    int worstYear = 0;
    for (int year = 1000; year <= 3000; year += 7) {
        const TSeasons now = SeasonsOfYear(year, greenwich);
        const TSeasons next = SeasonsOfYear(year + 1, greenwich);
        const TSeasonEvent& december = now.Of(TSeasonEventKind::DecemberSolstice);
        const double nextMarch = next.Of(TSeasonEventKind::MarchEquinox).JDE;
        EXPECT_EQ(december.LengthDays, std::trunc((nextMarch - december.JDE) * 100.0) / 100.0)
            << year;
        const double off = std::fabs(now.NextMarchJDE - nextMarch);
        if (off > worst) worst = off, worstYear = year;
    }
    EXPECT_LT(worst * 86400.0, 1.0) << "worst year " << worstYear;
    // The four seasons fill the tropical year (365.2422 days, to a hundredth for the cuts).
    const TSeasons y2026 = SeasonsOfYear(2026, greenwich);
    double total = 0.0;
    for (const TSeasonEvent& e : y2026.Events)
        total += e.LengthDays;
    EXPECT_NEAR(total, 365.2422, 0.04);
}

} // namespace
