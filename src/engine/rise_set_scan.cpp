// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/rise_set_scan.h"

#include <algorithm>
#include <cmath>

#include "engine/angles.h"

namespace {

constexpr int MinutesPerDay = 1440;
constexpr double MinuteDays = 1.0 / MinutesPerDay;
// Crossings of one sense kept per day; a day holds one or two, a grazing body a few more.
constexpr int MaxCrossings = 8;
// A crossing is pinned down to this (days, about 4 ms).
constexpr double CrossingPrecisionDays = 5e-8;
// Halvings of the day that pin down a transit (to about 2e-5 s).
constexpr int TransitHalvings = 32;
// Newton steps that find the instant of a given hour angle, which grows nearly evenly.
constexpr int HourAngleSteps = 4;

// Instants (days after 0h UT) between which the altitude crossed h0 once.
struct TBracket {
    double Lo;
    double Hi;
};

struct TCrossings {
    int Count = 0;
    TBracket At[MaxCrossings];
    void Add(TBracket b) {
        if (Count < MaxCrossings) At[Count++] = b;
    }
};

// The local day's risings and settings: exactly the changes of side that a look at the
// altitude minute by minute finds.
struct TDayCrossings {
    TCrossings Rises;
    TCrossings Sets;
    bool BelowAtStart = false;
};

// The local day, days after 0h UT, with the unreduced hour angle and (once a crossing is
// possible) the altitude above h0 at its ends.
struct TDayEnds {
    double Start;
    double End;
    double HourAngleAtStart;
    double HourAngleAtEnd;
    double AboveAtStart = 0.0;
    double AboveAtEnd = 0.0;
};

TDayEnds DayEnds(const TDayData& day, const TLocalDaySpan& span) {
    const double end = span.End();
    return {span.Start, end, UnreducedHourAngle(day, span.Start), UnreducedHourAngle(day, end)};
}

// The largest rate (degrees per day) of Interpolate3's parabola through the three tabular
// values over n0..n1: its slope (a + b)/2 + n c is largest at one end.
double LargestRate(const double (&y)[3], double n0, double n1) {
    const double a = y[1] - y[0];
    const double b = y[2] - y[1];
    const double c = b - a;
    return std::max(std::fabs((a + b) / 2.0 + n0 * c), std::fabs((a + b) / 2.0 + n1 * c));
}

// The least and greatest value of that parabola over n0..n1.
void ParabolaRange(const double (&y)[3], double n0, double n1, double& lo, double& hi) {
    const double a = y[1] - y[0];
    const double b = y[2] - y[1];
    const double c = b - a;
    lo = std::min(Interpolate3(y[2], y[1], y[0], n0), Interpolate3(y[2], y[1], y[0], n1));
    hi = std::max(Interpolate3(y[2], y[1], y[0], n0), Interpolate3(y[2], y[1], y[0], n1));
    if (c == 0.0) return;
    const double vertex = -(a + b) / (2.0 * c);
    if (vertex <= n0 || vertex >= n1) return;
    lo = std::min(lo, Interpolate3(y[2], y[1], y[0], vertex));
    hi = std::max(hi, Interpolate3(y[2], y[1], y[0], vertex));
}

// The day's least and greatest declination, radians, with their sines and cosines.
struct TDeclinations {
    double Lo;
    double Hi;
    double SinLo;
    double CosLo;
    double SinHi;
    double CosHi;
};

TDeclinations DayDeclinations(const TDayData& day, const TDayEnds& ends) {
    double lo = 0.0;
    double hi = 0.0;
    ParabolaRange(day.Delta, ends.Start + day.DeltaTDays, ends.End + day.DeltaTDays, lo, hi);
    const double loRad = DegToRad(lo);
    const double hiRad = DegToRad(hi);
    return {loRad, hiRad, std::sin(loRad), std::cos(loRad), std::sin(hiRad), std::cos(hiRad)};
}

// The side of h0 the body keeps all day whatever its hour angle: 1 above, -1 below, 0 when it
// may cross. Over a day its altitude lies between those of its lower and upper culmination,
// whose sines are -cos(φ + δ) and cos(φ - δ); each is monotonic in δ except where the angle
// passes 0, where it reaches -1 or 1.
int SideAllDay(const TDayData& day, const TDeclinations& d) {
    const double lowest = day.Phi + d.Lo <= 0.0 && day.Phi + d.Hi >= 0.0
                              ? -1.0
                              : std::min(day.SinPhi * d.SinLo - day.CosPhi * d.CosLo,
                                         day.SinPhi * d.SinHi - day.CosPhi * d.CosHi);
    const double highest = day.Phi - d.Hi <= 0.0 && day.Phi - d.Lo >= 0.0
                               ? 1.0
                               : std::max(day.SinPhi * d.SinLo + day.CosPhi * d.CosLo,
                                          day.SinPhi * d.SinHi + day.CosPhi * d.CosHi);
    if (lowest > day.SinH0) return 1;
    if (highest < day.SinH0) return -1;
    return 0;
}

// Does the body cross h0 cleanly all day: once in each half turn of the hour angle, setting
// while it runs from 0 to 180 degrees and rising from 180 to 360? Writing the crossing as
// cos H = K(δ) (Meeus, eq. 15.1), with |K| < 1 over the day's declinations the crossings lie
// where |sin H| >= sqrt(1 - K²); there cos H - K(δ) changes by sin H dH/dt, which outweighs
// K'(δ) dδ/dt when the inequality below holds, so it crosses zero once per half turn. K is
// monotonic in δ wherever |sin φ| > |sin h0|.
bool CrossesCleanly(const TDayData& day, const TDayEnds& ends, const TDeclinations& d) {
    if (!(std::fabs(day.SinPhi) > std::fabs(day.SinH0))) return false;
    const double k = std::max(std::fabs(CosHourAngleAtH0(day, d.SinLo, d.CosLo)),
                              std::fabs(CosHourAngleAtH0(day, d.SinHi, d.CosHi)));
    if (!(k < 1.0)) return false;
    const double n0 = ends.Start + day.DeltaTDays;
    const double n1 = ends.End + day.DeltaTDays;
    const double cosDec = std::min(d.CosLo, d.CosHi); // of the larger |δ|
    const double kSlope =
        (std::fabs(day.SinPhi) + std::fabs(day.SinH0)) / (day.CosPhi * cosDec * cosDec);
    const double decRate = DegToRad(LargestRate(day.Delta, n0, n1));
    const double hourAngleRate = DegToRad(SiderealDegreesPerDay - LargestRate(day.Alpha, n0, n1));
    return std::sqrt(1.0 - k * k) * hourAngleRate > 1.1 * kSlope * decRate;
}

// The instant, within the day, at which the unreduced hour angle reaches h degrees.
double WhenHourAngle(const TDayData& day, const TDayEnds& ends, double h) {
    const double rate = (ends.HourAngleAtEnd - ends.HourAngleAtStart) / (ends.End - ends.Start);
    double m = ends.Start + (h - ends.HourAngleAtStart) / rate;
    for (int i = 0; i < HourAngleSteps; ++i)
        m += (h - UnreducedHourAngle(day, m)) / rate;
    return std::clamp(m, ends.Start, ends.End);
}

// On a day the body crosses cleanly, each half turn of the hour angle that overlaps the day
// holds one crossing; it falls within the day unless the day's end cuts the half turn off
// before it, which the altitude at that end tells.
void AddCleanCrossings(const TDayData& day, const TDayEnds& ends, bool rising, TCrossings& found) {
    const double first = rising ? -180.0 : 0.0; // where the half turn starts, modulo 360
    const double hs = ends.HourAngleAtStart;
    const double he = ends.HourAngleAtEnd;
    for (double turn = std::floor((hs - first) / 360.0) * 360.0 + first; turn < he; turn += 360.0) {
        const double turnEnd = turn + 180.0;
        if (turnEnd <= hs) continue;
        // Below h0 as a rising half turn starts (above as a setting one), above as it ends.
        const bool beforeSide = turn > hs || (ends.AboveAtStart < 0.0) == rising;
        const bool afterSide = turnEnd < he || (ends.AboveAtEnd < 0.0) != rising;
        if (beforeSide && afterSide)
            found.Add({turn > hs ? WhenHourAngle(day, ends, turn) : ends.Start,
                       turnEnd < he ? WhenHourAngle(day, ends, turnEnd) : ends.End});
    }
}

// A bound of the altitude's rate over the day, degrees per day. The altitude is 90 degrees
// less the arc from the zenith to the body; the zenith runs along its parallel at
// cos(latitude) times the sidereal rate and the body moves at most |dα/dt| + |dδ/dt|, so the
// arc changes no faster than the two together. One per cent is added for rounding.
double AltitudeRateBound(const TDayData& day, const TDayEnds& ends) {
    const double n0 = ends.Start + day.DeltaTDays;
    const double n1 = ends.End + day.DeltaTDays;
    const double zenith = std::fabs(day.CosPhi) * SiderealDegreesPerDay;
    const double body = LargestRate(day.Alpha, n0, n1) + LargestRate(day.Delta, n0, n1);
    return 1.01 * (zenith + body);
}

// Walks the day's minutes, skipping those the altitude cannot reach h0 by: from a minute
// |v| degrees from h0, no crossing lies nearer than |v| / rate.
void ScanDay(const TDayData& day, const TDayEnds& ends, TDayCrossings& crossings) {
    const double degreesPerMinute = AltitudeRateBound(day, ends) * MinuteDays;
    // 1440 minutes, or 60 fewer or more on the day the clocks change.
    const int minutes = static_cast<int>(std::lround((ends.End - ends.Start) * MinutesPerDay));
    double v = ends.AboveAtStart;
    int k = 0;
    while (k < minutes) {
        const double clear = std::fabs(v) / degreesPerMinute; // minutes
        const int room = minutes - k;
        const int skip = clear >= room ? room : clear >= 1.0 ? static_cast<int>(clear) : 1;
        const double lo = ends.Start + k * MinuteDays;
        const double hi = ends.Start + (k + skip) * MinuteDays;
        const double w = k + skip == minutes ? ends.AboveAtEnd : AboveH0(day, hi);
        if ((w < 0.0) != (v < 0.0)) (v < 0.0 ? crossings.Rises : crossings.Sets).Add({lo, hi});
        k += skip;
        v = w;
    }
}

TDayCrossings DayCrossings(const TDayData& day, TDayEnds& ends) {
    TDayCrossings crossings;
    const TDeclinations dec = DayDeclinations(day, ends);
    if (const int side = SideAllDay(day, dec); side != 0) {
        crossings.BelowAtStart = side < 0;
        return crossings;
    }
    ends.AboveAtStart = AboveH0(day, ends.Start);
    ends.AboveAtEnd = AboveH0(day, ends.End);
    crossings.BelowAtStart = ends.AboveAtStart < 0.0;
    if (CrossesCleanly(day, ends, dec)) {
        AddCleanCrossings(day, ends, true, crossings.Rises);
        AddCleanCrossings(day, ends, false, crossings.Sets);
    } else {
        ScanDay(day, ends, crossings);
    }
    return crossings;
}

// The crossing within a bracket, by halving.
double CrossingIn(const TDayData& day, TBracket b, bool rising) {
    for (int i = 0; i < 64 && b.Hi - b.Lo > CrossingPrecisionDays; ++i) {
        const double mid = 0.5 * (b.Lo + b.Hi);
        ((AboveH0(day, mid) < 0.0) == rising ? b.Lo : b.Hi) = mid;
    }
    return 0.5 * (b.Lo + b.Hi);
}

// An event at m days after 0h UT within the local day, shown as the refinement shows it, except
// that one in the day's last half minute is shown at 24:00, not dropped or moved to the day's
// start.
TRiseSetEvent DayEvent(double m, double jd0, const TObserver& observer) {
    const double offsetDays = observer.LocalOffsetDaysAt(jd0 + m);
    const double y = std::min(24.0 * m + 1.0 / 120.0 + offsetDays * 24.0, 24.0);
    return ShownEvent(y, jd0 + m + offsetDays);
}

bool Within(double m, TBracket b) {
    return m >= b.Lo && m <= b.Hi;
}

TRiseSetEvent NoCrossing(const TDayCrossings& crossings) {
    TRiseSetEvent event;
    if (crossings.Rises.Count == 0 && crossings.Sets.Count == 0)
        event.Status =
            crossings.BelowAtStart ? TEventStatus::AlwaysBelow : TEventStatus::AlwaysAbove;
    return event;
}

// The refined rise (or set) when the day holds it, else the day's first crossing.
TRiseSetEvent CheckedCrossing(const TDayData& day, const TDayCrossings& crossings, bool rising,
                              const TRiseSetEvent& refined, double refinedM, double jd0,
                              const TObserver& observer) {
    const TCrossings& found = rising ? crossings.Rises : crossings.Sets;
    if (found.Count == 0) return NoCrossing(crossings);
    if (refined.Status == TEventStatus::Occurs)
        for (int i = 0; i < found.Count; ++i)
            if (Within(refinedM, found.At[i])) return DayEvent(refinedM, jd0, observer);
    return DayEvent(CrossingIn(day, found.At[0], rising), jd0, observer);
}

// The transit: the hour angle grows steadily, so the day holds one wherever it passes a whole
// multiple of 360 degrees.
TRiseSetEvent CheckedTransit(const TDayData& day, const TDayEnds& ends,
                             const TRiseSetTimes& checked, const TRiseSetEvent& refined,
                             double refinedM, double jd0, const TObserver& observer) {
    if (refined.Status == TEventStatus::Occurs && refinedM >= ends.Start && refinedM <= ends.End)
        return DayEvent(refinedM, jd0, observer);
    const double meridian = std::ceil(ends.HourAngleAtStart / 360.0) * 360.0;
    if (meridian > ends.HourAngleAtEnd) {
        TRiseSetEvent none;
        if (checked.Rise.Status == TEventStatus::AlwaysAbove ||
            checked.Rise.Status == TEventStatus::AlwaysBelow)
            none.Status = checked.Rise.Status;
        return none;
    }
    double lo = ends.Start;
    double hi = ends.End;
    for (int i = 0; i < TransitHalvings; ++i) {
        const double mid = 0.5 * (lo + hi);
        (UnreducedHourAngle(day, mid) < meridian ? lo : hi) = mid;
    }
    return DayEvent(0.5 * (lo + hi), jd0, observer);
}

} // namespace

TRiseSetTimes CheckedAgainstTheDay(const TDayData& day, const TRefinedEvents& refined, double jd0,
                                   const TObserver& observer) {
    TDayEnds ends = DayEnds(day, observer.LocalDayOf(jd0));
    const TDayCrossings crossings = DayCrossings(day, ends);
    TRiseSetTimes checked;
    checked.Rise =
        CheckedCrossing(day, crossings, true, refined.Times.Rise, refined.RiseM, jd0, observer);
    checked.Set =
        CheckedCrossing(day, crossings, false, refined.Times.Set, refined.SetM, jd0, observer);
    checked.Transit = CheckedTransit(day, ends, checked, refined.Times.Transit, refined.TransitM,
                                     jd0, observer);
    return checked;
}
