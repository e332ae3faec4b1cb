#include "ui/reports/aid_bands.h"

#include "engine/date_time.h"
#include "engine/moon.h"

namespace {

constexpr int DayMinutes = 1440;

bool Occurs(const TRiseSetEvent& e) {
    return e.Status == TEventStatus::Occurs;
}

void Add(std::vector<TAidStretch>& list, int from, int to) {
    if (to > from) list.push_back({from, to});
}

// The Moon's and the Sun's altitudes at local noon: which side of an altitude a body keeps
// through a day on which it crosses it neither way.
struct TNoon {
    double MoonDeg = 0.0;
    double SunDeg = 0.0;
};

TNoon AltitudesAtNoon(int year, int month, int day, const TObserver& observer) {
    TSunData sun;
    const TMoonData moon =
        MoonPosition(JulianDayOf(year, month, day, 12) - observer.LocalOffsetDays(), observer, sun);
    return {moon.Altitude, sun.Altitude};
}

} // namespace

double SunPassAltitude(int pass) {
    constexpr double altitudes[SunPassCount] = {AstronomicalTwilightAltitude,
                                                NauticalTwilightAltitude, CivilTwilightAltitude,
                                                SunriseAltitude};
    return altitudes[pass];
}

int HMToMins(const TRiseSetEvent& event) {
    return Occurs(event) ? event.Minute : 0;
}

std::vector<TAidStretch> StretchesAbove(const TRiseSetTimes& times, bool upAtNoon) {
    std::vector<TAidStretch> list;
    const TRiseSetEvent& rise = times.Rise;
    const TRiseSetEvent& set = times.Set;
    if (Occurs(rise) && Occurs(set)) {
        if (rise.Minute <= set.Minute) {
            Add(list, rise.Minute, set.Minute);
        } else {
            Add(list, 0, set.Minute);
            Add(list, rise.Minute, DayMinutes);
        }
    } else if (Occurs(rise)) {
        Add(list, rise.Minute, DayMinutes);
    } else if (Occurs(set)) {
        Add(list, 0, set.Minute);
    } else if (rise.Status == TEventStatus::AlwaysAbove ||
               set.Status == TEventStatus::AlwaysAbove) {
        Add(list, 0, DayMinutes);
    } else if (rise.Status == TEventStatus::NotThisDay && set.Status == TEventStatus::NotThisDay &&
               upAtNoon) {
        Add(list, 0, DayMinutes);
    }
    return list;
}

TAidMonth ObservingAidMonth(int year, int month, const TObserver& observer) {
    TAidMonth result;
    result.Year = year;
    result.Month = month;
    const int days = DaysInMonth(month, year);
    result.Days.resize(size_t(days));
    for (int d = 1; d <= days; ++d) {
        TAidDay& day = result.Days[size_t(d - 1)];
        const TDateRec date = MakeDate(year, month, d);
        const TNoon noon = AltitudesAtNoon(year, month, d, observer);
        for (int pass = 0; pass < SunPassCount; ++pass) {
            const double altitude = SunPassAltitude(pass);
            const TRiseSetTimes sun = SunRiseSetTimes(date, altitude, observer);
            day.Sun[size_t(pass)] = StretchesAbove(sun, noon.SunDeg > altitude);
            day.SunAllDay[size_t(pass)] = sun.Rise.Status == TEventStatus::AlwaysAbove;
        }
        const TMoonRiseSet moon = MoonRiseSet(date, observer);
        day.Illumination = moon.Illumination;
        day.Moon = StretchesAbove(moon.Events, noon.MoonDeg > 0.0);
    }
    return result;
}
