// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/reports/times_rows.h"

#include "engine/almanac_text.h"
#include "engine/sidereal_time.h"
#include "engine/text_helpers.h"
#include "ui/common/date_format.h"
#include "ui/common/look.h"

std::vector<TTimesRow> MonthTimesRows(const TDateRec& date, const TObserver& observer,
                                      const std::string& dateFormat) {
    const std::vector<TDateRec> dates = MonthDates(date.Year, date.Month);
    const std::vector<TDayRiseSet> days = RiseSetDays(dates, observer);
    std::vector<TTimesRow> rows;
    rows.reserve(dates.size());
    for (size_t i = 0; i < dates.size(); ++i) {
        const std::array<TRiseSetTimes, 4>& sun = days[i].Sun;
        rows.push_back({dates[i], FormatDate(dates[i], dateFormat), days[i].Moon, sun[0], sun[1],
                        sun[2], sun[3]});
    }
    return rows;
}

std::array<QString, TimesColumns> TimesRowTexts(const TTimesRow& row) {
    auto time = [](const TRiseSetEvent& event) { return Q(EventTimeText(event)); };
    return {row.DateText,
            time(row.Moon.Events.Rise),
            time(row.Moon.Events.Transit),
            time(row.Moon.Events.Set),
            QString::number(row.Moon.Illumination) + '%',
            time(row.Astronomical.Rise),
            time(row.Nautical.Rise),
            time(row.Civil.Rise),
            time(row.Sun.Rise),
            time(row.Sun.Transit),
            time(row.Sun.Set),
            time(row.Civil.Set),
            time(row.Nautical.Set),
            time(row.Astronomical.Set)};
}

QString TimesColumnName(TTimesColumn column) {
    static const char* const names[TimesColumns] = {
        "Date",
        "Moonrise",
        "Moon transit",
        "Moonset",
        "Moon illuminated",
        "Astronomical twilight start",
        "Nautical twilight start",
        "Civil twilight start",
        "Sunrise",
        "Sun transit",
        "Sunset",
        "Civil twilight end",
        "Nautical twilight end",
        "Astronomical twilight end",
    };
    return QString::fromLatin1(names[static_cast<int>(column)]);
}

QString SiderealTimeAtMidnight(const TDateRec& day, const TObserver& observer) {
    const TDateRec midnight = MakeDate(day.Year, day.Month, day.Day);
    const double ut = observer.UTOfLocal(JulianDay(midnight));
    const double lstDeg = LocalSiderealTimeDeg(ut, observer.ObserverLongitude);
    const TSexagesimal s = HoursToSexagesimal(lstDeg / 15.0, 24);
    return Q(s.Units + ":" + s.Minutes + ":" + s.Seconds);
}
