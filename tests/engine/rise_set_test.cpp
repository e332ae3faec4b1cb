#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/angles.h"
#include "engine/moon.h"
#include "engine/rise_set.h"
#include "engine/sidereal_time.h"
#include "engine/sun.h"

namespace {

TEquatorial Position(double raDeg, double decDeg) {
    TEquatorial e;
    e.RADeg = raDeg;
    e.DecDeg = decDeg;
    return e;
}

TObserver Place(double latDeg, double eastLonDeg, int zoneMinutes, int dstMinutes = 0) {
    TObserver o;
    o.ObserverLatitude = DegToRad(latDeg);
    o.ObserverLongitude = DegToRad(-eastLonDeg);
    o.ZoneMinutes = zoneMinutes;
    o.DstMinutes = dstMinutes;
    return o;
}

TDateRec Date(int year, int month, int day) {
    TDateRec d;
    d.Year = static_cast<std::uint16_t>(year);
    d.Month = static_cast<std::uint16_t>(month);
    d.Day = static_cast<std::uint16_t>(day);
    return d;
}

// Minutes after local midnight of an "HH:MM" text, or nothing for the other texts.
std::optional<int> Minutes(const std::string& text) {
    if (text.size() != 5 || text[2] != ':') return std::nullopt;
    return std::stoi(text.substr(0, 2)) * 60 + std::stoi(text.substr(3, 2));
}

bool WellFormed(const std::string& text) {
    if (text == NoEventText || text == NeverText) return true;
    const std::optional<int> m = Minutes(text);
    return m && *m >= 0 && *m <= 24 * 60;
}

// Geocentric altitude from mean sidereal time, the model of Meeus's ch. 15.
double Altitude(const TEquatorial& e, double jd, const TObserver& o) {
    const double h = DegToRad(SiderealTimeAt(jd) - RadToDeg(o.ObserverLongitude) - e.RADeg);
    const double phi = o.ObserverLatitude;
    const double dec = DegToRad(e.DecDeg);
    return RadToDeg(
        std::asin(std::sin(phi) * std::sin(dec) + std::cos(phi) * std::cos(dec) * std::cos(h)));
}

// Independent reference: the rising and setting crossings of f = 0 within the local day,
// found by scanning and bisection, in minutes after local midnight.
struct TCrossings {
    std::vector<double> Rises;
    std::vector<double> Sets;
};

TCrossings Crossings(const std::function<double(double)>& f, double startUT, int scanMinutes) {
    TCrossings c;
    const double step = scanMinutes / 1440.0;
    double t0 = startUT;
    double f0 = f(t0);
    for (int i = 0; i < 1440 / scanMinutes; ++i) {
        const double t1 = t0 + step;
        const double f1 = f(t1);
        if ((f0 < 0) != (f1 < 0)) {
            double lo = t0, hi = t1, flo = f0;
            for (int k = 0; k < 20; ++k) {
                const double mid = (lo + hi) / 2;
                const double fm = f(mid);
                if ((fm < 0) == (flo < 0)) {
                    lo = mid;
                    flo = fm;
                } else {
                    hi = mid;
                }
            }
            (f0 < 0 ? c.Rises : c.Sets).push_back((lo - startUT) * 1440.0);
        }
        t0 = t1;
        f0 = f1;
    }
    return c;
}

// Compares an event text with the reference crossings; returns the error in minutes, or
// fails when the text and the reference disagree on whether the event happens.
double Compare(const std::string& text, const std::vector<double>& reference,
               const std::string& what) {
    if (reference.size() != 1) {
        // No crossing in the local day (or two): no time belongs to the day.
        if (reference.empty()) {
            EXPECT_FALSE(Minutes(text).has_value()) << what << " " << text;
        }
        return 0.0;
    }
    const std::optional<int> shown = Minutes(text);
    EXPECT_TRUE(shown.has_value()) << what << " " << text << " ref " << reference[0];
    if (!shown) return 0.0;
    const double error = *shown - reference[0];
    EXPECT_NEAR(error, 0.0, 1.5) << what << " " << text << " ref " << reference[0];
    return std::fabs(error);
}

TEST(Interpolate3, ExactForAParabola) {
    // y = 3n^2 - 2n + 5 at n = +1, 0, -1
    for (double n : {-0.9, -0.25, 0.0, 0.4, 1.0})
        EXPECT_NEAR(Interpolate3(6.0, 5.0, 10.0, n), 3 * n * n - 2 * n + 5, 1e-12) << n;
}

TEST(RiseTransitSet, VenusAtBostonFromTheBook) {
    // Meeus, Astronomical Algorithms, ex. 15.a: 20 March 1988, Delta T 56 s, h0 -0.5667.
    const TObserver boston = Place(42.3333, -71.0833, 0);
    const TRiseSetText t =
        RiseTransitSet(Position(40.68021, 18.04761), Position(41.73129, 18.44092),
                       Position(42.78204, 18.82742), 56.0, -0.5667, 2447240.5, boston);
    EXPECT_EQ(t.Rise, "12:25");
    EXPECT_EQ(t.Transit, "19:41");
    EXPECT_EQ(t.Set, "02:55");

    // The same day five hours west of Greenwich: 07:25 and 14:41 local; the setting of the
    // UT day falls on the previous evening and is replaced by the one of the day after.
    const TObserver est = Place(42.3333, -71.0833, -300);
    const TRiseSetText local =
        RiseTransitSet(Position(40.68021, 18.04761), Position(41.73129, 18.44092),
                       Position(42.78204, 18.82742), 56.0, -0.5667, 2447240.5, est);
    EXPECT_EQ(local.Rise, "07:25");
    EXPECT_EQ(local.Transit, "14:41");
    ASSERT_TRUE(Minutes(local.Set).has_value());
    EXPECT_NEAR(*Minutes(local.Set), 21 * 60 + 57, 3);
}

TEST(SunRiseSet, MidsummerAt60North) {
    // Oslo-like place, 21 June: the Sun dips to about -6.6 degrees.
    const TObserver o = Place(60.0, 10.75, 60, 60);
    const TDateRec d = Date(2024, 6, 21);
    for (double h0 : {NauticalTwilightAltitude, AstronomicalTwilightAltitude}) {
        const TRiseSetText t = SunRiseSet(d, h0, o);
        EXPECT_EQ(t.Rise, NeverText) << h0;
        EXPECT_EQ(t.Set, NeverText) << h0;
        EXPECT_TRUE(Minutes(t.Transit).has_value()) << h0;
    }
    for (double h0 : {SunriseAltitude, CivilTwilightAltitude}) {
        const TRiseSetText t = SunRiseSet(d, h0, o);
        EXPECT_TRUE(Minutes(t.Rise).has_value()) << h0;
        EXPECT_TRUE(Minutes(t.Set).has_value()) << h0;
        EXPECT_TRUE(Minutes(t.Transit).has_value()) << h0;
    }
    // London, 21 June 2024 in summer time: sunrise 04:43, sunset 21:21 (published almanacs,
    // to their rounded minute).
    const TRiseSetText london = SunRiseSet(d, SunriseAltitude, Place(51.5072, -0.1276, 0, 60));
    EXPECT_NEAR(*Minutes(london.Rise), 4 * 60 + 43, 1);
    EXPECT_NEAR(*Minutes(london.Set), 21 * 60 + 21, 1);
}

struct TCity {
    const char* Name;
    double Lat, EastLon;
    int Zone;
};

constexpr TCity Cities[] = {
    {"London", 51.4769, 0.0, 0},         {"New York", 40.7128, -74.006, -300},
    {"Sydney", -33.8688, 151.2093, 600}, {"Quito", -0.18, -78.47, -300},
    {"Tokyo", 35.68, 139.69, 540},       {"Adelaide", -34.93, 138.6, 570}};

TEST(SunRiseSet, AgreesWithAltitudeSearchOverTwoYears) {
    double worst = 0.0;
    for (const TCity& city : Cities) {
        const TObserver o = Place(city.Lat, city.EastLon, city.Zone);
        for (double jd = 2460310.5; jd < 2460310.5 + 731; jd += 5) {
            const TDateRec d = JDToDate(jd);
            const TRiseSetText t = SunRiseSet(d, SunriseAltitude, o);
            const TCrossings ref = Crossings(
                [&](double x) {
                    return Altitude(SunPosition(x, o).Equatorial, x, o) - SunriseAltitude;
                },
                jd - o.LocalOffsetDays(), 30);
            const std::string what = std::string(city.Name) + " " + DateTimeText(d);
            worst = std::max(worst, Compare(t.Rise, ref.Rises, what + " rise"));
            worst = std::max(worst, Compare(t.Set, ref.Sets, what + " set"));
        }
    }
    std::cout << "worst sunrise/sunset difference " << worst << " min\n";
}

TEST(MoonRiseSet, AgreesWithAltitudeSearchIncludingDaysWithoutAnEvent) {
    double worst = 0.0;
    int daysWithoutRise = 0;
    for (const TCity& city : Cities) {
        const TObserver o = Place(city.Lat, city.EastLon, city.Zone);
        for (double jd = 2460340.5; jd < 2460340.5 + 62; jd += 1) {
            const TDateRec d = JDToDate(jd);
            const TMoonRiseSet t = MoonRiseSet(d, o);
            TSunData sun;
            const double h0 = 0.7275 * MoonPosition(jd, o, sun).Parallax - 0.5667;
            const TCrossings ref = Crossings(
                [&](double x) {
                    TSunData s;
                    return Altitude(MoonPosition(x, o, s).Equatorial, x, o) - h0;
                },
                jd - o.LocalOffsetDays(), 20);
            const std::string what = std::string(city.Name) + " " + DateTimeText(d);
            worst = std::max(worst, Compare(t.Times.Rise, ref.Rises, what + " rise"));
            worst = std::max(worst, Compare(t.Times.Set, ref.Sets, what + " set"));
            if (ref.Rises.empty()) {
                ++daysWithoutRise;
                EXPECT_EQ(t.Times.Rise, NoEventText) << what;
            }
            EXPECT_GE(t.Illumination, 0);
            EXPECT_LE(t.Illumination, 100);
        }
    }
    EXPECT_GT(daysWithoutRise, 6); // about one a month at every place
    std::cout << "worst moonrise/moonset difference " << worst << " min\n";
}

TEST(RiseSet, NearThePolesEveryDayOfAYearFinishesWithConsistentTexts) {
    const auto start = std::chrono::steady_clock::now();
    int timesShown = 0;
    for (double lat : {89.9, -89.9}) {
        const TObserver o = Place(lat, 25.0, 120);
        for (double jd = 2460310.5; jd < 2460310.5 + 366; jd += 1) {
            const TDateRec d = JDToDate(jd);
            std::vector<std::pair<TRiseSetText, std::function<double(double)>>> cases;
            for (double h0 : {SunriseAltitude, CivilTwilightAltitude, NauticalTwilightAltitude,
                              AstronomicalTwilightAltitude})
                cases.emplace_back(SunRiseSet(d, h0, o), [&o, h0](double x) {
                    return Altitude(SunPosition(x, o).Equatorial, x, o) - h0;
                });
            TSunData sun;
            const double moonH0 = 0.7275 * MoonPosition(jd, o, sun).Parallax - 0.5667;
            cases.emplace_back(MoonRiseSet(d, o).Times, [&o, moonH0](double x) {
                TSunData s;
                return Altitude(MoonPosition(x, o, s).Equatorial, x, o) - moonH0;
            });
            for (const auto& [t, offset] : cases) {
                const std::string what = DateTimeText(d) + " lat " + std::to_string(lat);
                ASSERT_TRUE(WellFormed(t.Rise) && WellFormed(t.Transit) && WellFormed(t.Set))
                    << what << " " << t.Rise << " " << t.Transit << " " << t.Set;
                ASSERT_EQ(t.Rise == NeverText, t.Set == NeverText) << what;
                // A time shown for a rise or set is a moment when the body stands at h0, on
                // this local day or, for the Sun's wrapped times, the one next to it.
                for (const std::string& text : {t.Rise, t.Set}) {
                    const std::optional<int> m = Minutes(text);
                    if (!m) continue;
                    ++timesShown;
                    const double ut = jd - o.LocalOffsetDays() + *m / 1440.0;
                    double best = 1e9;
                    for (double day : {-1.0, 0.0, 1.0})
                        best = std::min(best, std::fabs(offset(ut + day)));
                    EXPECT_LT(best, 0.05) << what << " " << text;
                }
            }
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 20.0);
    EXPECT_GT(timesShown, 0);
}

} // namespace
