// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

#include "engine/almanac_text.h"
#include "engine/date_time.h"
#include "engine/phases.h"

namespace {

TDateRec MonthOf(int year, int month) {
    return MakeDate(year, month, 1);
}

TObserver Zone(int minutes) {
    TObserver o;
    o.Zone = TObserverZone::Fixed(minutes, 0);
    return o;
}

std::vector<TPhaseEntry> Phases(int year, int month, const TObserver& observer) {
    TPhaseList list;
    const int n = MonthPhases(MonthOf(year, month), observer, list);
    return {list.begin(), list.begin() + n};
}

// The entry of lunation k; an entry with K = 0.5 (never in the lists tested) when missing.
TPhaseEntry Find(const std::vector<TPhaseEntry>& list, double k) {
    for (const TPhaseEntry& p : list)
        if (p.K == k) return p;
    ADD_FAILURE() << "k " << k << " missing";
    TPhaseEntry none;
    none.K = 0.5;
    return none;
}

// The type a lunation number stands for, from its fraction alone.
TPhaseType ExpectedType(double k) {
    const double fraction = k - std::floor(k);
    if (fraction == 0.0) return TPhaseType::NewMoon;
    if (fraction == 0.25) return TPhaseType::FirstQuarter;
    if (fraction == 0.5) return TPhaseType::FullMoon;
    return TPhaseType::LastQuarter;
}

double MonthStart(int year, int month) {
    return JulianDayOf(year, month, 1);
}

// Walks consecutive months and checks that the phases follow each other quarter by quarter,
// each in its own month, with nothing before the first or after the last phase missed.
// Returns a description of the first fault, or "".
std::string CheckRun(int year, int month, int months, const TObserver& observer, double& minGap,
                     double& maxGap) {
    double lastK = 0.0, lastJD = 0.0;
    bool any = false;
    for (int i = 0; i < months; ++i) {
        const int y = year + (month - 1 + i) / 12;
        const int m = (month - 1 + i) % 12 + 1;
        const double start = MonthStart(y, m);
        const double end = m == 12 ? MonthStart(y + 1, 1) : MonthStart(y, m + 1);
        const auto list = Phases(y, m, observer);
        std::ostringstream where;
        where << y << "-" << m << " zone " << observer.Zone.StateAt(0.0).OffsetMinutes() << ": ";
        if (list.size() < 3) return where.str() + "fewer than three phases";
        for (const TPhaseEntry& p : list) {
            if (p.JDLocal < start || p.JDLocal >= end) return where.str() + "phase outside month";
            if (p.PhaseType != ExpectedType(p.K)) return where.str() + "wrong phase type";
            // The local date and minute are those of the instant.
            if (p.Minute != p.When.Hour * 60 + p.When.Minute ||
                std::fabs(p.When.JD - p.JDLocal) > 0.5 / 86400.0 + 1e-9)
                return where.str() + "local date unlike the instant " + PhaseDateText(p);
            if (any) {
                if (p.K != lastK + 0.25) {
                    std::ostringstream s;
                    s << where.str() << "k " << lastK << " followed by " << p.K;
                    return s.str();
                }
                minGap = std::min(minGap, p.JDLocal - lastJD);
                maxGap = std::max(maxGap, p.JDLocal - lastJD);
            } else {
                // The quarter before the first one found lies before the month.
                if (observer.LocalOf(TruePhase(p.K - 0.25)) >= start)
                    return where.str() + "first phase missed";
            }
            any = true;
            lastK = p.K;
            lastJD = p.JDLocal;
        }
    }
    return "";
}

TEST(Phases, BookExamples) {
    TT tt;
    EXPECT_DOUBLE_EQ(MeanPhase(0.0, tt), 2451550.09765);
    // Meeus, ex. 49.a: new moon of February 1977, k = -283.
    EXPECT_NEAR(TruePhase(-283.0), 2443192.65118, 2e-5);
    EXPECT_NEAR(MeanPhase(-283.0, tt), 2443192.94102, 2e-5);
    // Meeus, ex. 49.b: the first last quarter of 2044, k = 544.75: 21 January, 23h48m.
    EXPECT_NEAR(TruePhase(544.75), 2467636.49186, 2e-5);
    // First quarter of 27 January 1977 (k = -283.75): code 3 for negative k adds W.
    EXPECT_EQ(PhaseCode(-283.75), 3);
    EXPECT_NEAR(TruePhase(-283.75), 2443170.7169, 1e-4);

    const TPhaseEntry fq = Find(Phases(1977, 1, Zone(0)), -283.75);
    EXPECT_EQ(fq.PhaseType, TPhaseType::FirstQuarter);
    const TPhaseEntry nm = Find(Phases(1977, 2, Zone(0)), -283.0);
    EXPECT_EQ(nm.PhaseType, TPhaseType::NewMoon);
    EXPECT_EQ(PhaseDateText(nm), "03:37  18 February 1977");
    const TPhaseEntry lq = Find(Phases(2044, 1, Zone(0)), 544.75);
    EXPECT_EQ(lq.PhaseType, TPhaseType::LastQuarter);
    EXPECT_EQ(PhaseDateText(lq), "23:48  21 January 2044");
}

TEST(Phases, LocalTimeDecidesTheMonth) {
    // Full moon of 1 November 1906, 04:45 UT: 23:45 on 31 October at UTC-5.
    const auto oct = Phases(1906, 10, Zone(-300));
    ASSERT_FALSE(oct.empty());
    EXPECT_EQ(oct.back().PhaseType, TPhaseType::FullMoon);
    EXPECT_EQ(oct.back().When.Day, 31);
    EXPECT_EQ(PhaseClockText(oct.back()), "23:45");
    EXPECT_EQ(oct.back().Minute, 23 * 60 + 45);
    const auto nov = Phases(1906, 11, Zone(-300));
    ASSERT_FALSE(nov.empty());
    EXPECT_EQ(nov.front().K, oct.back().K + 0.25);

    // With daylight saving (UTC-4) the same full moon is at 00:45 on 1 November.
    TObserver dst = Zone(-300);
    dst.Zone = TObserverZone::Fixed(-300, 60);
    const auto novDst = Phases(1906, 11, dst);
    ASSERT_FALSE(novDst.empty());
    EXPECT_EQ(novDst.front().K, oct.back().K);
    EXPECT_NEAR(novDst.front().JDLocal - oct.back().JDLocal, 1.0 / 24, 1e-9);
    EXPECT_EQ(PhaseDateText(novDst.front()), "00:45  01 November 1906");
    EXPECT_NE(Phases(1906, 10, dst).back().K, oct.back().K);
}

TEST(Phases, EveryPhaseOnceInEveryZone1900To2100) {
    double minGap = 99, maxGap = 0;
    for (int zone = -720; zone <= 840; zone += 30) {
        const std::string fault = CheckRun(1900, 1, 201 * 12, Zone(zone), minGap, maxGap);
        ASSERT_EQ(fault, "");
    }
    // Quarter intervals of 7.38 days on average, varying with the Moon's anomaly.
    EXPECT_GT(minGap, 5.5) << "shortest interval";
    EXPECT_LT(maxGap, 9.0) << "longest interval";
}

TEST(Phases, EveryPhaseOnceInSampledYears1To9999) {
    double minGap = 99, maxGap = 0;
    for (int year = 1; year <= 9998; year += 53) {
        for (int zone : {-720, -300, 0, 345, 840}) {
            const std::string fault = CheckRun(year, 1, 13, Zone(zone), minGap, maxGap);
            ASSERT_EQ(fault, "");
        }
    }
    for (int zone : {-720, 840})
        ASSERT_EQ(CheckRun(9999, 1, 12, Zone(zone), minGap, maxGap), "");
    EXPECT_GT(minGap, 5.5);
    EXPECT_LT(maxGap, 9.0);
}

TEST(Phases, BracketingNewMoonsFromYear1To9999) {
    const double first = MonthStart(1, 1);
    const double last = MonthStart(9999, 12) + 30;
    double worst = 0.0;
    for (double jd = first + 0.137; jd < last; jd += 9.37) {
        const TNewMoonPair pair = BracketingNewMoons(jd);
        ASSERT_LE(pair.PrevNewMoon, jd) << "JD " << jd;
        ASSERT_GT(pair.NextNewMoon, jd) << "JD " << jd;
        const double length = pair.NextNewMoon - pair.PrevNewMoon;
        // One lunation: 29.27 to 29.84 days in the present era.
        ASSERT_GT(length, 29.1) << "JD " << jd;
        ASSERT_LT(length, 30.0) << "JD " << jd;
        worst = std::max(worst, std::fabs(length - 29.530588853));
    }
    EXPECT_LT(worst, 0.5);

    // The new moon of Meeus, ex. 49.a, seen from just before and just after it.
    EXPECT_NEAR(BracketingNewMoons(2443192.65).NextNewMoon, 2443192.65118, 2e-5);
    EXPECT_NEAR(BracketingNewMoons(2443192.66).PrevNewMoon, 2443192.65118, 2e-5);
}

TEST(Phases, ImpossibleDatesGiveNoPhasesAndNoHang) {
    TPhaseList list;
    EXPECT_EQ(MonthPhases(MonthOf(2000, 0), Zone(0), list), 0);
    EXPECT_EQ(MonthPhases(MonthOf(2000, 13), Zone(0), list), 0);
    for (int year : {0, 10000, 65535}) {
        for (int month : {1, 12}) {
            const int n = MonthPhases(MonthOf(year, month), Zone(-720), list);
            EXPECT_GE(n, 3) << year << "-" << month;
            EXPECT_LE(n, MaxMonthPhases);
        }
    }
    const TNewMoonPair nan = BracketingNewMoons(std::nan(""));
    EXPECT_EQ(nan.PrevNewMoon, 0.0);
    EXPECT_EQ(BracketingNewMoons(1e300).NextNewMoon, 0.0);
}

} // namespace
