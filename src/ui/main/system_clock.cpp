// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/system_clock.h"

#include <ctime>

std::optional<timespec> UniversalTimespec(const TDateRec& utc) {
    if (utc.Month < 1 || utc.Month > 12 || utc.Day < 1 ||
        utc.Day > DaysInMonth(utc.Month, utc.Year) || utc.Hour > 23 || utc.Minute > 59 ||
        utc.Second > 60 || utc.Year < 1970)
        return std::nullopt;
    std::tm fields{};
    fields.tm_year = utc.Year - 1900;
    fields.tm_mon = utc.Month - 1;
    fields.tm_mday = utc.Day;
    fields.tm_hour = utc.Hour;
    fields.tm_min = utc.Minute;
    fields.tm_sec = utc.Second;
    const time_t seconds = timegm(&fields);
    if (seconds == static_cast<time_t>(-1)) return std::nullopt;
    timespec result{};
    result.tv_sec = seconds;
    result.tv_nsec = 0;
    return result;
}

bool TRealSystemClock::SetUniversalTime(const TDateRec& utc) {
    const std::optional<timespec> when = UniversalTimespec(utc);
    return when && clock_settime(CLOCK_REALTIME, &*when) == 0;
}
