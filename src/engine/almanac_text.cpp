#include "engine/almanac_text.h"

#include "engine/sidereal_time.h"
#include "engine/text_helpers.h"

std::string ClockText(int minuteOfDay) {
    return TwoDigits(minuteOfDay / 60).substr(0, 3) + ":" + TwoDigits(minuteOfDay % 60);
}

std::string EventTimeText(const TRiseSetEvent& event) {
    switch (event.Status) {
    case TEventStatus::Occurs:
        return ClockText(event.Minute);
    case TEventStatus::NotThisDay:
        return NoEventText;
    case TEventStatus::AlwaysAbove:
    case TEventStatus::AlwaysBelow:
        break;
    }
    return NeverText;
}

TRiseSetText RiseSetText(const TRiseSetTimes& times) {
    return {EventTimeText(times.Rise), EventTimeText(times.Transit), EventTimeText(times.Set)};
}

std::string LocalSiderealTimeText(double jd, double longitudeWestRad) {
    const TSexagesimal s = HoursToSexagesimal(LocalSiderealTimeDeg(jd, longitudeWestRad) / 15.0);
    return s.Units + ":" + s.Minutes + ":" + s.Seconds;
}
