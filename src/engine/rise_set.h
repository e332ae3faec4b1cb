// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <span>
#include <vector>

#include "engine/coordinates.h"
#include "engine/date_time.h"
#include "engine/observer.h"

// What became of an event on the local calendar day.
enum class TEventStatus {
    Occurs,      // at LocalJD, shown as Minute
    NotThisDay,  // does not fall within the day, or could not be found
    AlwaysAbove, // the body stays above the altitude all day
    AlwaysBelow, // the body stays below the altitude all day
};

// One rising, transit or setting.
struct TRiseSetEvent {
    TEventStatus Status = TEventStatus::NotThisDay;
    double LocalJD = 0.0; // local civil JD of the event; Occurs only
    int Minute = 0;       // minute of the local day, 0..1440; Occurs only (half a minute
                          // and one second added, then cut)
};

// Local times of rising, meridian transit and setting on one local calendar day. For a body
// that neither rises nor sets, Rise and Set carry AlwaysAbove or AlwaysBelow, and so does
// Transit when it falls beyond the day.
struct [[nodiscard]] TRiseSetTimes {
    TRiseSetEvent Rise;
    TRiseSetEvent Transit;
    TRiseSetEvent Set;
};

enum class TRiseSetEventKind { Rise, Transit, Set };

// The event of that kind.
[[nodiscard]] const TRiseSetEvent& EventOf(const TRiseSetTimes& times, TRiseSetEventKind kind);

// The Moon's times with its illuminated percentage at 0h of the day.
struct [[nodiscard]] TMoonRiseSet {
    TRiseSetTimes Events;
    int Illumination = 0;
};

// Standard altitudes of the Sun's upper limb and of the twilights, degrees.
inline constexpr double SunriseAltitude = -0.8333;
inline constexpr double CivilTwilightAltitude = -6.0;
inline constexpr double NauticalTwilightAltitude = -12.0;
inline constexpr double AstronomicalTwilightAltitude = -18.0;

// Rounds after which a refinement stops at the latest; an event not settled by then is
// NotThisDay.
inline constexpr int MaxRiseSetRounds = 40;

// Interpolation from three tabular values one day apart (Meeus, Astronomical Algorithms,
// eq. 3.3): y3, y2, y1 at +1, 0 and -1 day, n the fraction of a day from the middle one.
[[nodiscard]] double Interpolate3(double y3, double y2, double y1, double n);

// Rising, transit and setting by Meeus's method (ch. 15) from the apparent positions at 0h UT
// of the day before, the day itself and the day after. deltaT in seconds, h0 the standard
// altitude in degrees, jd0 the JD of the local calendar date at 0h taken as UT. The times are
// local civil times of that calendar day.
[[nodiscard]] TRiseSetTimes RiseTransitSet(const TEquatorial& dayBefore, const TEquatorial& day,
                                           const TEquatorial& dayAfter, double deltaT, double h0,
                                           double jd0, const TObserver& observer);

// The Sun's times for the local calendar date (Day, Month, Year used) at the altitude h0.
[[nodiscard]] TRiseSetTimes SunRiseSet(const TDateRec& date, double h0, const TObserver& observer);

// The Moon's times for the local calendar date (Day, Month, Year used); the standard altitude
// 0.7275 parallax - 0.5667 takes the parallax at 0h of the day.
[[nodiscard]] TMoonRiseSet MoonRiseSet(const TDateRec& date, const TObserver& observer);

// The Moon's events alone (no illumination), as MoonRiseSet gives them.
[[nodiscard]] TRiseSetTimes MoonRiseSetTimes(const TDateRec& date, const TObserver& observer);

// The same from FastMoonApparentPlace's places: the times agree with MoonRiseSetTimes to well
// under a second, but where an event lies that close to a minute's edge, or to the point where
// a rise or set appears or vanishes, its minute or status can differ. For a search that checks
// its margin and asks MoonRiseSetTimes when it is short.
[[nodiscard]] TRiseSetTimes FastMoonRiseSetTimes(const TDateRec& date, const TObserver& observer);

// The Sun's altitudes of the day's rows: sunrise, civil, nautical and astronomical twilight.
inline constexpr std::array<double, 4> SunAltitudes = {
    SunriseAltitude, CivilTwilightAltitude, NauticalTwilightAltitude, AstronomicalTwilightAltitude};

// The Moon's times and the Sun's at each of SunAltitudes for one local calendar day.
struct [[nodiscard]] TDayRiseSet {
    TMoonRiseSet Moon;
    std::array<TRiseSetTimes, 4> Sun; // in the order of SunAltitudes
};

// The same as MoonRiseSet and SunRiseSet day by day, for a run of dates (Day, Month, Year
// used): each body's position is computed once per 0h instant and shared by the four
// altitudes and by the neighbouring days, which need the same instants.
[[nodiscard]] std::vector<TDayRiseSet> RiseSetDays(std::span<const TDateRec> dates,
                                                   const TObserver& observer);

// The Moon panel's rows in the order of the day: an event not on this day first, the times in
// order of their shown minutes, a Moon that neither rises nor sets last. Rows start as transit,
// rise, set and are sorted by the exchanges 1-3, 1-2, 2-3, so equal shown times keep that
// order.
[[nodiscard]] std::array<TRiseSetEventKind, 3> OrderMoonRows(const TRiseSetTimes& times);
