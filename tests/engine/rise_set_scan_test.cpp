// SPDX-License-Identifier: GPL-3.0-or-later
// Rising, transit and setting at high latitudes against the altitude the method itself works
// from, looked at minute by minute: the geocentric place interpolated from the three 0h places
// (Meeus, ch. 15), the Moon's h0 from its parallax at 0h. Every event shown must lie within a
// minute of a crossing the look finds, and every day shown without one must have none.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "engine/almanac_text.h"
#include "engine/moon.h"
#include "engine/nutation.h"
#include "engine/rise_set.h"
#include "engine/sidereal_time.h"
#include "engine/sun.h"
#include "engine/text_helpers.h"
#include "engine_test_helpers.h"

namespace {

struct TScanCase {
    const char* Name;
    double LatDeg;
    double EastLonDeg;
    int ZoneMinutes;
    int Year;
    int FirstMonth;
    int Months;
};

// The minutes of the local day (0..1440) after which the altitude was found on the other side
// of h0 (rising, setting) or the hour angle turned from negative to positive (transit).
struct TFound {
    std::array<std::vector<double>, 3> Minutes; // rise, transit, set
    bool AboveAllDay = false;
};

// Three 0h places, one day apart, continuous in right ascension.
struct TThreePlaces {
    double RA[3];
    double Dec[3];
};

TFound LookMinuteByMinute(const TThreePlaces& p, double h0, double jd0, const TObserver& o) {
    TFound found;
    const double deltaTDays = DeltaT(JDToDate(jd0).Year) / 86400.0;
    const double theta0 = SiderealTime0h(jd0);
    double lastAbove = 0.0;
    double lastHourAngle = 0.0;
    int above = 0;
    for (int k = 0; k <= 1440; ++k) {
        const double m = k / 1440.0 - o.LocalOffsetDaysAt(0.0);
        const double n = m + deltaTDays;
        const double ra = Interpolate3(p.RA[2], p.RA[1], p.RA[0], n);
        const double dec = Interpolate3(p.Dec[2], p.Dec[1], p.Dec[0], n);
        const double hourAngle =
            std::remainder(theta0 + 360.985647 * m - RadToDeg(o.ObserverLongitude) - ra, 360.0);
        const double phi = RadToDeg(o.ObserverLatitude);
        const double aboveH0 = RadToDeg(std::asin(SinDeg(phi) * SinDeg(dec) +
                                                  CosDeg(phi) * CosDeg(dec) * CosDeg(hourAngle))) -
                               h0;
        above += aboveH0 >= 0.0;
        if (k > 0 && (lastAbove < 0.0) != (aboveH0 < 0.0))
            found.Minutes[lastAbove < 0.0 ? 0 : 2].push_back(k - 1 +
                                                             lastAbove / (lastAbove - aboveH0));
        if (k > 0 && lastHourAngle < 0.0 && hourAngle >= 0.0 && hourAngle - lastHourAngle < 180.0)
            found.Minutes[1].push_back(k - 1 + lastHourAngle / (lastHourAngle - hourAngle));
        lastAbove = aboveH0;
        lastHourAngle = hourAngle;
    }
    found.AboveAllDay = above == 1441;
    return found;
}

// What is wrong with one event against what the look found; empty when nothing is.
std::string Fault(const TRiseSetEvent& e, const std::vector<double>& found, bool crossesAtAll,
                  bool aboveAllDay) {
    if (e.Status == TEventStatus::Occurs) {
        for (double minute : found)
            if (std::fabs(minute - e.Minute) <= 1.0) return "";
        std::string text =
            EventTimeText(e) + " where the minutes show" + (found.empty() ? " none" : "");
        for (double minute : found)
            text += " " + std::to_string(minute);
        return text;
    }
    if (!found.empty()) return EventTimeText(e) + " misses minute " + std::to_string(found[0]);
    const bool never =
        e.Status == TEventStatus::AlwaysAbove || e.Status == TEventStatus::AlwaysBelow;
    if (never && crossesAtAll) return "None on a day it crosses";
    if (never && (e.Status == TEventStatus::AlwaysAbove) != aboveAllDay) return "None, wrong side";
    return "";
}

class RiseSetAtHighLatitudes : public testing::TestWithParam<TScanCase> {};

TEST_P(RiseSetAtHighLatitudes, EveryEventAndEveryDayWithoutOneAgreeWithTheMinutes) {
    const TScanCase& c = GetParam();
    const TObserver o = Place(c.LatDeg, c.EastLonDeg, c.ZoneMinutes);
    std::vector<TDateRec> dates;
    for (int i = 0; i < c.Months; ++i) {
        const int month = (c.FirstMonth - 1 + i) % 12 + 1;
        const int year = c.Year + (c.FirstMonth - 1 + i) / 12;
        for (const TDateRec& d : MonthDates(year, month))
            dates.push_back(d);
    }
    const std::vector<TDayRiseSet> days = RiseSetDays(dates, o);
    std::vector<std::string> faults;
    int events = 0;
    for (size_t i = 0; i < dates.size(); ++i) {
        const double jd0 = JulianDay(dates[i]);
        TThreePlaces moon{};
        TThreePlaces sun{};
        double parallax = 0.0;
        for (int j = 0; j < 3; ++j) {
            const double jd = jd0 - 1 + j;
            const TNutation nutation = Nutation(jd);
            const TMoonPlace m = MoonApparentPlace(jd, nutation);
            const TEquatorial s = SunApparentPlace(jd, nutation).Equatorial;
            moon.RA[j] = m.Equatorial.RADeg;
            moon.Dec[j] = m.Equatorial.DecDeg;
            sun.RA[j] = s.RADeg;
            sun.Dec[j] = s.DecDeg;
            if (j == 1) parallax = m.ParallaxDeg;
        }
        for (TThreePlaces* p : {&moon, &sun})
            for (int j = 1; j < 3; ++j)
                if (p->RA[j] < p->RA[j - 1]) p->RA[j] += 360.0;
        const std::array<double, 5> h0 = {0.7275 * parallax - 0.5667, SunAltitudes[0],
                                          SunAltitudes[1], SunAltitudes[2], SunAltitudes[3]};
        for (size_t b = 0; b < h0.size(); ++b) {
            const TRiseSetTimes& t = b == 0 ? days[i].Moon.Events : days[i].Sun[b - 1];
            const TFound found = LookMinuteByMinute(b == 0 ? moon : sun, h0[b], jd0, o);
            const bool crosses = !found.Minutes[0].empty() || !found.Minutes[2].empty();
            const TRiseSetEvent* shown[3] = {&t.Rise, &t.Transit, &t.Set};
            for (int e = 0; e < 3; ++e) {
                const std::string fault =
                    Fault(*shown[e], found.Minutes[e], e != 1 && crosses, found.AboveAllDay);
                ++events;
                if (!fault.empty())
                    faults.push_back(DateTimeText(dates[i]).substr(10) + " h0 " +
                                     std::to_string(h0[b]) + " " + "RTS"[e] + ": " + fault);
            }
        }
    }
    EXPECT_EQ(events, static_cast<int>(dates.size()) * 15);
    EXPECT_TRUE(faults.empty()) << faults.size() << " of " << events << " events, the first "
                                << faults.front();
    for (size_t i = 0; i < faults.size() && i < 8; ++i)
        std::cout << c.Name << " " << faults[i] << "\n";
}

INSTANTIATE_TEST_SUITE_P(
    NorthAndSouth, RiseSetAtHighLatitudes,
    testing::Values(
        // The Moon up for 24 minutes on 24 June 2026, shown rising and setting at one minute.
        TScanCase{"North72", 72.0, 15.0, 0, 2026, 1, 12},
        // A setting after midnight and a rising before dawn on 2 April 2025.
        TScanCase{"North63", 63.0, 15.0, 0, 2025, 1, 12},
        // The night that never reaches astronomical twilight, from 21 April 2025.
        TScanCase{"North60", 60.0, 15.0, 0, 2025, 4, 2},
        TScanCase{"South55", -55.5, -68.3, -180, 2025, 5, 3},
        TScanCase{"McMurdoZone12", -77.85, 166.67, 720, 2026, 1, 12},
        TScanCase{"AlertZoneMinus5", 82.5, -62.35, -300, 2024, 1, 12},
        TScanCase{"NorthPole", 89.9, 25.0, 120, 2026, 1, 6},
        TScanCase{"SouthPole", -89.9, -140.0, -600, 2026, 7, 6},
        // Year 1: ΔT of nearly three hours.
        TScanCase{"North69YearOne", 69.0, 19.0, 60, 1, 3, 2}),
    [](const testing::TestParamInfo<TScanCase>& info) { return std::string(info.param.Name); });

} // namespace
