// SPDX-License-Identifier: GPL-3.0-or-later
#include "features/terminator.h"

#include <algorithm>
#include <cmath>

#include "engine/angles.h"
#include "engine/date_time.h"
#include "engine/moon.h"

namespace {

constexpr double MinuteDays = 1.0 / 1440.0;
constexpr int NightMinutes = 24 * 60;
constexpr int NightSamples = NightMinutes / NightScanStepMinutes + 1;
// Halvings of a scan step that put a span's edge within a second.
constexpr int EdgeHalvings = 10;

struct TSkyAt {
    double MoonAltitudeDeg;
    double SunAltitudeDeg;
};

TSkyAt SkyAt(double jd, const TObserver& observer) {
    TSunData sun;
    const TMoonData moon = MoonPosition(jd, observer, sun);
    return {moon.AltitudeDeg, sun.Altitude};
}

bool Holds(TNightSky sky, const TSkyAt& at) {
    if (sky == TNightSky::Dark)
        return at.MoonAltitudeDeg >= ObservingMoonAltitudeDeg &&
               at.SunAltitudeDeg <= DarkSkySunAltitudeDeg;
    return at.MoonAltitudeDeg > 0.0 && at.SunAltitudeDeg < 0.0;
}

// The instant between `outside` and `inside` (UT JDs) where the conditions begin to hold.
double Edge(TNightSky sky, double outside, double inside, const TObserver& observer) {
    for (int i = 0; i < EdgeHalvings; ++i) {
        const double middle = (outside + inside) / 2.0;
        (Holds(sky, SkyAt(middle, observer)) ? inside : outside) = middle;
    }
    return inside;
}

// Whether a point of the Moon faces the observer: less than 90 degrees from the point at the
// centre of the disc, which lies at the librations in longitude and latitude (Meeus, ch. 53).
bool FacesObserver(const TObservingNight& night, double latitudeDeg, double longitudeDeg) {
    const double b = DegToRad(night.SubEarthLatitudeDeg);
    const double beta = DegToRad(latitudeDeg);
    return std::sin(b) * std::sin(beta) +
               std::cos(b) * std::cos(beta) * CosDeg(longitudeDeg - night.SubEarthLongitudeDeg) >
           0.0;
}

} // namespace

TDateRec LocalMinute(double jd, const TObserver& observer) {
    const double minute = std::round(observer.LocalOf(jd) / MinuteDays) * MinuteDays;
    // Half a second on, so the JD's rounding cannot give 59.999 seconds of the minute before.
    TDateRec local = JDToDate(minute + 0.5 / 86400.0);
    local.Second = 0;
    local.MSec = 0;
    return local;
}

TObservingNight BestObservingMoment(int year, int month, int day, const TObserver& observer) {
    TObservingNight night;
    const double noon = observer.UTOfLocal(JulianDay(MakeDate(year, month, day, 12, 0)));
    const double step = NightScanStepMinutes * MinuteDays;
    TSkyAt samples[NightSamples];
    double darkest = 90.0;
    for (int i = 0; i < NightSamples; ++i) {
        samples[i] = SkyAt(noon + i * step, observer);
        darkest = std::min(darkest, samples[i].SunAltitudeDeg);
    }
    const TNightSky sky = darkest <= DarkSkySunAltitudeDeg ? TNightSky::Dark : TNightSky::Twilight;

    int highest = -1;
    for (int i = 0; i < NightSamples; ++i)
        if (Holds(sky, samples[i]) &&
            (highest < 0 || samples[i].MoonAltitudeDeg > samples[highest].MoonAltitudeDeg))
            highest = i;
    if (highest < 0) return night;

    // The span is the run of samples around the highest one where the conditions hold.
    int first = highest;
    while (first > 0 && Holds(sky, samples[first - 1]))
        --first;
    int last = highest;
    while (last + 1 < NightSamples && Holds(sky, samples[last + 1]))
        ++last;
    night.Sky = sky;
    night.StartJD =
        first == 0 ? noon : Edge(sky, noon + (first - 1) * step, noon + first * step, observer);
    night.EndJD = last == NightSamples - 1
                      ? noon + last * step
                      : Edge(sky, noon + (last + 1) * step, noon + last * step, observer);

    // The Moon's highest point to the minute, kept inside the span.
    const double coarse = noon + highest * step;
    night.BestJD = coarse;
    double best = samples[highest].MoonAltitudeDeg;
    const auto consider = [&](double jd) {
        const TSkyAt at = SkyAt(jd, observer);
        if (at.MoonAltitudeDeg > best) {
            best = at.MoonAltitudeDeg;
            night.BestJD = jd;
        }
    };
    for (int minute = -NightScanStepMinutes; minute <= NightScanStepMinutes; ++minute) {
        const double jd = coarse + minute * MinuteDays;
        if (jd > night.StartJD && jd < night.EndJD) consider(jd);
    }
    consider(night.StartJD);
    consider(night.EndJD);

    TSunData sun;
    const TMoonData moon = MoonPosition(night.BestJD, observer, sun);
    night.MoonAltitudeDeg = moon.AltitudeDeg;
    night.SunAltitudeDeg = sun.Altitude;
    night.Illumination = moon.IlluminationPercent;
    night.Sun = {moon.ColongitudeDeg, moon.SubSolarLatRad};
    night.SubEarthLatitudeDeg = moon.LibrationLatDeg;
    night.SubEarthLongitudeDeg = moon.LibrationLongDeg;
    return night;
}

std::optional<TDateRec> NextObservingNight(int year, int month, int day,
                                           const TObserver& observer) {
    const double first = JulianDayOf(year, month, day);
    for (int n = 1; n <= NextNightSearchDays; ++n) {
        const TDateRec night = JDToDate(first + n);
        if (night.Year > LastCalendarYear) break; // no night after the calendar's end
        if (BestObservingMoment(night.Year, night.Month, night.Day, observer).Sky !=
            TNightSky::None)
            return MakeDate(night.Year, night.Month, night.Day);
    }
    return std::nullopt;
}

TTerminatorList TerminatorFeatures(const std::vector<TTerminatorCandidate>& candidates,
                                   const TObservingNight& night, double minDiameterKm) {
    TTerminatorList list;
    if (night.Sky == TNightSky::None) return list;
    for (const TTerminatorCandidate& candidate : candidates) {
        const TFeatureSun sun =
            SunOverFeature(night.Sun, candidate.LatitudeDeg, candidate.LongitudeDeg);
        if (sun.AltitudeDeg < TerminatorMinSunDeg || sun.AltitudeDeg > TerminatorMaxSunDeg ||
            !FacesObserver(night, candidate.LatitudeDeg, candidate.LongitudeDeg))
            continue;
        // A NaN diameter fails the comparison too: a feature of unknown size counts as small.
        if (!(candidate.DiameterKm >= minDiameterKm)) {
            ++list.SmallHidden;
            continue;
        }
        (sun.Rising ? list.Sunrise : list.Sunset).push_back({candidate, sun.AltitudeDeg});
    }
    const auto lowerSun = [](const TTerminatorFeature& a, const TTerminatorFeature& b) {
        if (a.SunAltitudeDeg != b.SunAltitudeDeg) return a.SunAltitudeDeg < b.SunAltitudeDeg;
        return a.Feature.Name < b.Feature.Name;
    };
    std::sort(list.Sunrise.begin(), list.Sunrise.end(), lowerSun);
    std::sort(list.Sunset.begin(), list.Sunset.end(), lowerSun);
    return list;
}
