// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/rise_set.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "engine/angles.h"
#include "engine/moon.h"
#include "engine/rise_set_day.h"
#include "engine/rise_set_scan.h"
#include "engine/sun.h"
#include "engine/text_helpers.h"

namespace {

constexpr int Transit = 0;
constexpr int Rise = 1;
constexpr int Set = 2;

// The instant of an event that was not found.
constexpr double NotFound = std::numeric_limits<double>::quiet_NaN();

// Transit, rise and set as fractions of the UT day.
struct TTriple {
    double M[3] = {0.0, 0.0, 0.0};
};

// A refined triple; Settled says which events the refinement pinned down.
struct TRefined {
    TTriple Times;
    bool Settled[3] = {false, false, false};
};

// A rise or set step below this (days, about 0.01 s) counts as settled.
constexpr double StepSettled = 1e-7;
// Beyond this distance from the day a rise or set has run away and is given up.
constexpr double RunawayDays = 2.0;

// Adds or subtracts whole days until m lies in 0..1 (1 itself stays).
double IntoDay(double m) {
    if (m < 0.0) m += std::ceil(-m);
    if (m > 1.0) m -= std::ceil(m - 1.0);
    return m;
}

// Correction of a rise or set time from the altitude at that time (Meeus, ch. 15).
double AltitudeStep(const TDayData& day, double m) {
    const TAltitudeAt a = AltitudeAt(day, m);
    return (a.Degrees - day.H0) / (360.0 * a.CosDec * day.CosPhi * std::sin(a.HourAngleRad));
}

double TransitStep(const TDayData& day, double m) {
    return -HourAngleAt(day, m).HourAngleDeg / 360.0;
}

// Refines transit, rise and set together until each correction is negligible, or the bound
// is reached. withRiseSet false refines the transit alone.
TRefined Refine(const TDayData& day, const TTriple& start, bool withRiseSet) {
    TRefined r;
    r.Times = start;
    bool running[3] = {true, withRiseSet, withRiseSet};
    for (int round = 0; round < MaxRiseSetRounds; ++round) {
        double step[3] = {0.0, 0.0, 0.0};
        step[Transit] = running[Transit] ? TransitStep(day, r.Times.M[Transit]) : 0.0;
        for (int j : {Rise, Set})
            if (running[j]) step[j] = AltitudeStep(day, r.Times.M[j]);
        for (int j = 0; j < 3; ++j) {
            if (!running[j]) continue;
            const double next = r.Times.M[j] + step[j];
            if (!std::isfinite(next) || std::fabs(next) > RunawayDays) {
                running[j] = false; // given up: not settled
                continue;
            }
            r.Times.M[j] = next;
            const double settled = j == Transit ? 1e-9 : StepSettled;
            if (std::fabs(step[j]) < settled) {
                running[j] = false;
                r.Settled[j] = true;
            }
        }
        if (!running[0] && !running[1] && !running[2]) break;
    }
    return r;
}

// The event at m days after 0h UT of the day whose local 0h is jd0, in local civil time. An
// event of the Sun (h0 below the horizon) that falls on the day before or after is shown a
// day later or earlier, as the same event on this day nearly is.
TRiseSetEvent MakeEvent(double m, bool settled, double h0, double jd0, const TObserver& observer) {
    TRiseSetEvent event;
    if (!settled) return event;
    const double offsetDays = observer.LocalOffsetDaysAt(jd0 + m);
    // Half a minute added so the truncated minute is the rounded one.
    double y = 24.0 * m + 1.0 / 120.0 + offsetDays * 24.0;
    double wrapDays = 0.0;
    if (h0 < 0.0) {
        if (y < 0.0) {
            y += 24.0;
            wrapDays += 1.0;
        }
        if (y > 24.0) {
            y -= 24.0;
            wrapDays -= 1.0;
        }
    }
    if (!(y >= 0.0 && y <= 24.0)) return event;
    return ShownEvent(y, jd0 + m + offsetDays + wrapDays);
}

TRiseSetEvent Circumpolar(TEventStatus status) {
    TRiseSetEvent event;
    event.Status = status;
    return event;
}

// A body that stays on one side of h0: only the transit is looked for.
TRefinedEvents CircumpolarTimes(const TDayData& day, double m0, double jd0, TEventStatus status,
                                const TObserver& observer) {
    const TRefined r = Refine(day, TTriple{{m0, 0.0, 0.0}}, false);
    const double m = r.Times.M[Transit];
    TRefinedEvents events{
        {Circumpolar(status), Circumpolar(status), Circumpolar(status)}, NotFound, m, NotFound};
    if (!r.Settled[Transit])
        events.Times.Transit = TRiseSetEvent{};
    else if (!(24.0 * m > 24.0))
        events.Times.Transit = MakeEvent(m, true, day.H0, jd0, observer);
    return events;
}

TTriple FromTransit(double m0, double h0Deg) {
    return TTriple{{m0, IntoDay(m0 - h0Deg / 360.0), IntoDay(m0 + h0Deg / 360.0)}};
}

// Starting values for transit, rise and set. The rise and set start from the refined transit
// and the declination at that moment: from the day's 0h values alone a fast-moving Moon that
// only grazes the horizon would send the set's refinement to the rise.
TTriple RiseSetSeeds(const TDayData& day, double m0, double& hourAngle0) {
    const TRefined transit = Refine(day, TTriple{{m0, 0.0, 0.0}}, false);
    if (!transit.Settled[Transit]) return FromTransit(m0, hourAngle0);
    const double m = transit.Times.M[Transit];
    const double dec = DegToRad(DeclinationAt(day, m));
    const double cosH = CosHourAngleAtH0(day, dec);
    if (!(std::fabs(cosH) < 1.0)) return FromTransit(m0, hourAngle0);
    hourAngle0 = RadToDeg(std::acos(cosH));
    return FromTransit(m, hourAngle0);
}

// An event that by the local clock falls on the next (or previous) calendar day is replaced
// by the same event one UT day earlier (or later).
TRefined LocalDayAdjust(const TDayData& day, TTriple s, TRefined r, double hourAngle0, double jd0,
                        const TObserver& observer) {
    // The day to move by, or 0 for an event on the local day (east of Greenwich an event can
    // only fall after it, west only before).
    auto shift = [&](double m) {
        const double z = observer.LocalOffsetDaysAt(jd0 + m);
        if (z >= 0.0) return m + z > 1.0 ? -1.0 : 0.0;
        return m + z < 0.0 ? 1.0 : 0.0;
    };
    if (const double by = shift(r.Times.M[Transit]); by != 0.0) {
        s = FromTransit(s.M[Transit] + by, hourAngle0);
        r = Refine(day, s, true);
    }
    for (int j : {Rise, Set}) {
        if (const double by = shift(r.Times.M[j]); by != 0.0) {
            s.M[j] += by;
            r = Refine(day, s, true);
        }
    }
    return r;
}

// Rise and set closer than this (days, one minute) count as one instant.
constexpr double MergedDays = 1.0 / 1440.0;
// The scan of the local day that looks for a crossing, and the halvings that pin it down.
constexpr int CrossingScanSteps = 48;
constexpr int CrossingHalvings = 40;

// The first crossing of h0 in the rising (or setting) sense within the local day, m in days
// after 0h UT; the day's ends must lie on opposite sides.
double FirstCrossing(const TDayData& day, const TLocalDaySpan& span, bool rising) {
    auto below = [&day](double m) { return AboveH0(day, m) < 0.0; };
    double lo = span.Start;
    double hi = span.End();
    for (int i = 0; i < CrossingScanSteps; ++i) {
        const double a = span.Start + span.Length * (static_cast<double>(i) / CrossingScanSteps);
        const double b =
            span.Start + span.Length * (static_cast<double>(i + 1) / CrossingScanSteps);
        if (below(a) == rising && below(b) != rising) {
            lo = a;
            hi = b;
            break;
        }
    }
    for (int k = 0; k < CrossingHalvings; ++k) {
        const double mid = 0.5 * (lo + hi);
        (below(mid) == rising ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

// Near the poles a body whose altitude only touches h0 (a flat extreme of its daily circle)
// can send the rise and the set refinements onto that one instant, which is neither. When
// the altitudes at the local day's ends lie on opposite sides of h0, the body crosses it once
// (net) that day: only the rise, or only the set, exists, and it is found by a scan and
// halving of the day. Rise and set apart, or the day's ends on one side, are left as refined.
void ResolveMergedCrossing(const TDayData& day, TRefined& r, const TLocalDaySpan& span) {
    if (!r.Settled[Rise] || !r.Settled[Set]) return;
    if (!(std::fabs(r.Times.M[Rise] - r.Times.M[Set]) < MergedDays)) return;
    const bool belowAtStart = AboveH0(day, span.Start) < 0.0;
    const bool belowAtEnd = AboveH0(day, span.End()) < 0.0;
    if (belowAtStart == belowAtEnd) return;
    const int kept = belowAtStart ? Rise : Set;
    const int dropped = belowAtStart ? Set : Rise;
    r.Times.M[kept] = FirstCrossing(day, span, belowAtStart);
    r.Settled[dropped] = false;
}

// Meeus's refinement with its local-day adjustment, as the method has always given it.
TRefinedEvents RefinedEvents(const TDayData& d, double jd0, const TObserver& observer) {
    const double m0 = IntoDay((d.Alpha[1] + d.L - d.Theta0) / 360.0);
    if (!std::isfinite(m0)) return {{}, NotFound, NotFound, NotFound};

    const double dec2 = DegToRad(d.Delta[1]);
    const double cosH0 = CosHourAngleAtH0(d, dec2);
    if (!(std::fabs(cosH0) < 1.0))
        return CircumpolarTimes(
            d, m0, jd0, cosH0 <= -1.0 ? TEventStatus::AlwaysAbove : TEventStatus::AlwaysBelow,
            observer);

    double hourAngle0 = RadToDeg(std::acos(cosH0));
    const TTriple start = RiseSetSeeds(d, m0, hourAngle0);
    TRefined r = LocalDayAdjust(d, start, Refine(d, start, true), hourAngle0, jd0, observer);
    ResolveMergedCrossing(d, r, observer.LocalDayOf(jd0));

    TRefinedEvents events{{}, r.Times.M[Rise], r.Times.M[Transit], r.Times.M[Set]};
    events.Times.Rise = MakeEvent(r.Times.M[Rise], r.Settled[Rise], d.H0, jd0, observer);
    events.Times.Transit = MakeEvent(r.Times.M[Transit], r.Settled[Transit], d.H0, jd0, observer);
    events.Times.Set = MakeEvent(r.Times.M[Set], r.Settled[Set], d.H0, jd0, observer);
    return events;
}

bool ScannedLatitude(const TObserver& observer) {
    return std::fabs(observer.ObserverLatitude) >= DegToRad(ScannedLatitudeDeg);
}

} // namespace

double Interpolate3(double y3, double y2, double y1, double n) {
    const double a = y2 - y1;
    const double b = y3 - y2;
    const double c = b - a;
    return y2 + n * (a + b + n * c) / 2.0;
}

TRiseSetTimes RiseTransitSet(const TEquatorial& dayBefore, const TEquatorial& day,
                             const TEquatorial& dayAfter, double deltaT, double h0, double jd0,
                             const TObserver& observer) {
    const TDayData d = MakeDayData(dayBefore, day, dayAfter, deltaT, h0, jd0, observer);
    const TRefinedEvents refined = RefinedEvents(d, jd0, observer);
    if (!ScannedLatitude(observer)) return refined.Times;
    return CheckedAgainstTheDay(d, refined, jd0, observer);
}

const TRiseSetEvent& EventOf(const TRiseSetTimes& times, TRiseSetEventKind kind) {
    switch (kind) {
    case TRiseSetEventKind::Rise:
        return times.Rise;
    case TRiseSetEventKind::Transit:
        return times.Transit;
    case TRiseSetEventKind::Set:
        break;
    }
    return times.Set;
}

std::array<TRiseSetEventKind, 3> OrderMoonRows(const TRiseSetTimes& times) {
    // The key orders an event not on the day first, then the minutes, then a body that
    // neither rises nor sets.
    auto key = [&times](TRiseSetEventKind kind) {
        const TRiseSetEvent& e = EventOf(times, kind);
        if (e.Status == TEventStatus::Occurs) return e.Minute;
        return e.Status == TEventStatus::NotThisDay ? -1 : 24 * 60 + 1;
    };
    std::array<TRiseSetEventKind, 3> rows = {TRiseSetEventKind::Transit, TRiseSetEventKind::Rise,
                                             TRiseSetEventKind::Set};
    if (key(rows[0]) > key(rows[2])) std::swap(rows[0], rows[2]);
    if (key(rows[0]) > key(rows[1])) std::swap(rows[0], rows[1]);
    if (key(rows[1]) > key(rows[2])) std::swap(rows[1], rows[2]);
    return rows;
}

namespace {

double MidnightJD(const TDateRec& date) {
    return JulianDayOf(date.Year, date.Month, date.Day);
}

} // namespace

namespace {

// Positions at the 0h UT instants of a run of days. A day needs the instants of the day before,
// the day itself and the day after; the next day shares two of them, so a few slots suffice.
struct TPlaceCache {
    struct TSlot {
        double JD = 0.0;
        bool HasNutation = false;
        bool HasMoon = false;
        bool HasSun = false;
        TNutation Nutation;
        TMoonPlace Moon;
        TSunData Sun;
    };
    std::array<TSlot, 4> Slots{};
    size_t Used = 0;
    size_t Next = 0;
    bool FastMoon = false; // the Moon's places from FastMoonApparentPlace

    TSlot& At(double jd) {
        for (size_t i = 0; i < Used; ++i)
            if (Slots[i].JD == jd) return Slots[i];
        TSlot& slot = Slots[Next];
        Next = (Next + 1) % Slots.size();
        Used = std::min(Used + 1, Slots.size());
        slot = TSlot{};
        slot.JD = jd;
        return slot;
    }
    // The Sun and the Moon at one instant share its nutation.
    static const TNutation& NutationOf(TSlot& slot) {
        if (!slot.HasNutation) slot.Nutation = Nutation(slot.JD);
        slot.HasNutation = true;
        return slot.Nutation;
    }
    const TMoonPlace& Moon(double jd) {
        TSlot& slot = At(jd);
        if (!slot.HasMoon)
            slot.Moon =
                FastMoon ? FastMoonApparentPlace(jd) : MoonApparentPlace(jd, NutationOf(slot));
        slot.HasMoon = true;
        return slot.Moon;
    }
    const TSunData& Sun(double jd) {
        TSlot& slot = At(jd);
        if (!slot.HasSun) slot.Sun = SunApparentPlace(jd, NutationOf(slot));
        slot.HasSun = true;
        return slot.Sun;
    }
};

TRiseSetTimes SunTimes(TPlaceCache& cache, const TDateRec& date, double h0,
                       const TObserver& observer) {
    const double jd0 = MidnightJD(date);
    // Copies: a later look-up may reuse a slot.
    const TEquatorial before = cache.Sun(jd0 - 1.0).Equatorial;
    const TEquatorial middle = cache.Sun(jd0).Equatorial;
    const TEquatorial after = cache.Sun(jd0 + 1.0).Equatorial;
    return RiseTransitSet(before, middle, after, DeltaT(date.Year), h0, jd0, observer);
}

TRiseSetTimes MoonTimes(TPlaceCache& cache, const TDateRec& date, const TObserver& observer) {
    const double jd0 = MidnightJD(date);
    const TEquatorial before = cache.Moon(jd0 - 1.0).Equatorial;
    const TMoonPlace middle = cache.Moon(jd0);
    const TEquatorial after = cache.Moon(jd0 + 1.0).Equatorial;
    // Meeus, ch. 15: h0 = 0.7275 parallax - 0°34'.
    const double h0 = 0.7275 * middle.ParallaxDeg - 0.5667;
    return RiseTransitSet(before, middle.Equatorial, after, DeltaT(date.Year), h0, jd0, observer);
}

TMoonRiseSet MoonDay(TPlaceCache& cache, const TDateRec& date, const TObserver& observer) {
    const double jd0 = MidnightJD(date);
    TMoonRiseSet result;
    result.Events = MoonTimes(cache, date, observer);
    // The Sun at 0h as MoonPosition takes it for the illuminated fraction.
    const TSunData sun = cache.Sun(jd0);
    result.Illumination = MoonIlluminationPercent(cache.Moon(jd0), sun);
    return result;
}

} // namespace

TRiseSetTimes SunRiseSet(const TDateRec& date, double h0, const TObserver& observer) {
    TPlaceCache cache;
    return SunTimes(cache, date, h0, observer);
}

TRiseSetTimes MoonRiseSetTimes(const TDateRec& date, const TObserver& observer) {
    TPlaceCache cache;
    return MoonTimes(cache, date, observer);
}

TRiseSetTimes FastMoonRiseSetTimes(const TDateRec& date, const TObserver& observer) {
    TPlaceCache cache;
    cache.FastMoon = true;
    return MoonTimes(cache, date, observer);
}

TMoonRiseSet MoonRiseSet(const TDateRec& date, const TObserver& observer) {
    TPlaceCache cache;
    return MoonDay(cache, date, observer);
}

std::vector<TDayRiseSet> RiseSetDays(std::span<const TDateRec> dates, const TObserver& observer) {
    std::vector<TDayRiseSet> days;
    days.reserve(dates.size());
    TPlaceCache cache;
    for (const TDateRec& date : dates) {
        TDayRiseSet day;
        day.Moon = MoonDay(cache, date, observer);
        for (size_t i = 0; i < SunAltitudes.size(); ++i)
            day.Sun[i] = SunTimes(cache, date, SunAltitudes[i], observer);
        days.push_back(std::move(day));
    }
    return days;
}
