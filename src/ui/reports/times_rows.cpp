#include "ui/reports/times_rows.h"

#include "engine/sidereal_time.h"
#include "engine/text_helpers.h"
#include "ui/common/date_format.h"
#include "ui/common/look.h"

std::vector<TTimesRow> MonthTimesRows(const TDateRec& date, const TObserver& observer,
                                      const std::string& dateFormat) {
    std::vector<TTimesRow> rows;
    const int days = DaysInMonth(date.Month, date.Year);
    rows.reserve(static_cast<size_t>(days));
    for (int day = 1; day <= days; ++day) {
        const TDateRec d = MakeDate(date.Year, date.Month, day);
        rows.push_back({d, FormatDate(d, dateFormat), MoonRiseSet(d, observer),
                        SunRiseSet(d, SunriseAltitude, observer),
                        SunRiseSet(d, CivilTwilightAltitude, observer),
                        SunRiseSet(d, NauticalTwilightAltitude, observer),
                        SunRiseSet(d, AstronomicalTwilightAltitude, observer)});
    }
    return rows;
}

QString SiderealTimeAtMidnight(const TDateRec& day, const TObserver& observer) {
    const TDateRec midnight = MakeDate(day.Year, day.Month, day.Day);
    const double ut = JulianDay(midnight) - observer.LocalOffsetDays();
    const double lstDeg = LocalSiderealTimeDeg(ut, observer.ObserverLongitude);
    const TSexagesimal s = HoursToSexagesimal(lstDeg / 15.0, 24);
    return Q(s.Units + ":" + s.Minutes + ":" + s.Seconds);
}
