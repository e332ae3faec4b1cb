#pragma once

#include <string>

#include "engine/coordinates.h"
#include "engine/date_time.h"
#include "engine/observer.h"

// Local times of rising, meridian transit and setting on one local calendar day.
struct [[nodiscard]] TRiseSetText {
    std::string Rise;    // "HH:MM", NoEventText or NeverText
    std::string Transit; // "HH:MM", NoEventText, or NeverText when a body that neither rises
                         // nor sets transits beyond the day
    std::string Set;     // "HH:MM", NoEventText or NeverText
};

// The Moon's times with its illuminated percentage at 0h of the day.
struct [[nodiscard]] TMoonRiseSet {
    TRiseSetText Times;
    int Illumination = 0;
};

// An event that does not fall within the local day (or could not be found).
inline constexpr const char* NoEventText = "*****";
// A body that stays above or below the altitude all day.
inline constexpr const char* NeverText = "None";

// Standard altitudes of the Sun's upper limb and of the twilights, degrees.
inline constexpr double SunriseAltitude = -0.8333;
inline constexpr double CivilTwilightAltitude = -6.0;
inline constexpr double NauticalTwilightAltitude = -12.0;
inline constexpr double AstronomicalTwilightAltitude = -18.0;

// Rounds after which a refinement stops at the latest; an event not settled by then is shown
// as NoEventText.
inline constexpr int MaxRiseSetRounds = 40;

// Interpolation from three tabular values one day apart (Meeus, Astronomical Algorithms,
// eq. 3.3): y3, y2, y1 at +1, 0 and -1 day, n the fraction of a day from the middle one.
[[nodiscard]] double Interpolate3(double y3, double y2, double y1, double n);

// Rising, transit and setting by Meeus's method (ch. 15) from the apparent positions at 0h UT
// of the day before, the day itself and the day after. deltaT in seconds, h0 the standard
// altitude in degrees, jd0 the JD of the local calendar date at 0h taken as UT. The times are
// local civil times of that calendar day.
[[nodiscard]] TRiseSetText RiseTransitSet(const TEquatorial& dayBefore, const TEquatorial& day,
                                          const TEquatorial& dayAfter, double deltaT, double h0,
                                          double jd0, const TObserver& observer);

// The Sun's times for the local calendar date (Day, Month, Year used) at the altitude h0.
[[nodiscard]] TRiseSetText SunRiseSet(const TDateRec& date, double h0, const TObserver& observer);

// The Moon's times for the local calendar date (Day, Month, Year used); the standard altitude
// 0.7275 parallax - 0.5667 takes the parallax at 0h of the day.
[[nodiscard]] TMoonRiseSet MoonRiseSet(const TDateRec& date, const TObserver& observer);
