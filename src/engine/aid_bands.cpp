// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/aid_bands.h"

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
        MoonPosition(observer.UTOfLocal(JulianDayOf(year, month, day, 12)), observer, sun);
    return {moon.AltitudeDeg, sun.Altitude};
}

} // namespace

static_assert(SunPassCount == SunAltitudes.size());

double SunPassAltitude(int pass) {
    return SunAltitudes[size_t(SunPassCount - 1 - pass)];
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
    const std::vector<TDateRec> dates = MonthDates(year, month);
    const std::vector<TDayRiseSet> times = RiseSetDays(dates, observer);
    result.Days.resize(dates.size());
    for (size_t i = 0; i < dates.size(); ++i) {
        TAidDay& day = result.Days[i];
        day.Day = dates[i].Day;
        const TNoon noon = AltitudesAtNoon(year, month, dates[i].Day, observer);
        for (int pass = 0; pass < SunPassCount; ++pass) {
            // The passes run from the darkest altitude up, the day's rows from sunrise down.
            const TRiseSetTimes& sun = times[i].Sun[size_t(SunPassCount - 1 - pass)];
            day.Sun[size_t(pass)] = StretchesAbove(sun, noon.SunDeg > SunPassAltitude(pass));
            day.SunAllDay[size_t(pass)] = sun.Rise.Status == TEventStatus::AlwaysAbove;
        }
        day.Illumination = times[i].Moon.Illumination;
        day.Moon = StretchesAbove(times[i].Moon.Events, noon.MoonDeg > 0.0);
    }
    return result;
}
