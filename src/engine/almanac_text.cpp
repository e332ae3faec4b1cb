// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/almanac_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/regional_names.h"
#include "engine/sidereal_time.h"
#include "engine/text_helpers.h"

std::string ClockText(int minuteOfDay) {
    return TwoDigits(minuteOfDay / 60).substr(0, 3) + ":" + TwoDigits(minuteOfDay % 60);
}

std::string LocalClockText(double localJD) {
    const TDateRec d = JDToDate(localJD);
    return ClockText(d.Hour * 60 + d.Minute);
}

namespace {

std::string EventTimeText(const TRiseSetEvent& event, const char* noEventText) {
    switch (event.Status) {
    case TEventStatus::Occurs:
        return ClockText(event.Minute);
    case TEventStatus::NotThisDay:
        return noEventText;
    case TEventStatus::AlwaysAbove:
    case TEventStatus::AlwaysBelow:
        break;
    }
    return "None";
}

} // namespace

std::string EventTimeText(const TRiseSetEvent& event) {
    return EventTimeText(event, "*****");
}

std::string CellEventTimeText(const TRiseSetEvent& event) {
    return EventTimeText(event, "****");
}

std::string PhaseDateText(const TPhaseEntry& phase) {
    return DateTimeTextNoSeconds(phase.When);
}

std::string PhaseClockText(const TPhaseEntry& phase) {
    return ClockText(phase.Minute);
}

std::string SeasonEventName(TSeasonEventKind kind) {
    switch (kind) {
    case TSeasonEventKind::MarchEquinox:
        return "March equinox";
    case TSeasonEventKind::JuneSolstice:
        return "June solstice";
    case TSeasonEventKind::SeptemberEquinox:
        return "September equinox";
    case TSeasonEventKind::DecemberSolstice:
        break;
    }
    return "December solstice";
}

std::string SeasonName(TSeason season) {
    switch (season) {
    case TSeason::Spring:
        return "Spring";
    case TSeason::Summer:
        return "Summer";
    case TSeason::Autumn:
        return "Autumn";
    case TSeason::Winter:
        break;
    }
    return "Winter";
}

std::string SeasonDateTimeText(const TSeasonEvent& event) {
    return DateTimeText(JDToDate(event.LocalJD));
}

std::string SeasonShortText(const TSeasonEvent& event) {
    const TDateRec d = JDToDate(event.LocalJD);
    // The day and the month's name cut to seven characters with their leading blank, as the
    // date-and-time text spells them (a short month name runs on into the year).
    std::string date(1, ' ');
    date += TwoDigits(d.Day) + " " + LongMonthName(d.Month) + " " + std::to_string(d.Year);
    return ClockText(d.Hour * 60 + d.Minute) + "  " + Utf8Prefix(date, 7);
}

std::string SeasonLengthText(const TSeasonEvent& event) {
    return GeneralNumberText(event.LengthDays) + " days";
}

std::string LocalSiderealTimeText(double jd, double longitudeWestRad) {
    const TSexagesimal s = HoursToSexagesimal(LocalSiderealTimeDeg(jd, longitudeWestRad) / 15.0);
    return s.Units + ":" + s.Minutes + ":" + s.Seconds;
}

std::string ApsisTimeText(double jde, const TObserver& observer) {
    // The added 30 seconds round the truncated minutes.
    const TDateRec d = JDToDate(jde + 1.0 / 2880.0 + observer.LocalOffsetDaysAt(jde));
    std::string text = TwoDigits(d.Hour) + ":" + TwoDigits(d.Minute) +
                       RepeatedHourMark(observer, jde) + "  " + TwoDigits(d.Day) + " " +
                       Utf8Prefix(LongMonthName(d.Month), 3) + "  ";
    return text.substr(0, 25);
}

std::string ApsisDistanceText(double distanceKm) {
    return std::to_string(static_cast<long long>(std::nearbyint(distanceKm))) + " km  ";
}

TApsidesText ApsidesText(const TNextApsides& next, const TObserver& observer) {
    TApsidesText text;
    text.PerigeeDistance = ApsisDistanceText(next.Perigee.DistanceKm);
    text.PerigeeTime = ApsisTimeText(next.Perigee.JDE, observer);
    text.ApogeeDistance = ApsisDistanceText(next.Apogee.DistanceKm);
    text.ApogeeTime = ApsisTimeText(next.Apogee.JDE, observer);
    return text;
}

std::string EclipseVisibilityText(TEclipseVisibility visibility) {
    switch (visibility) {
    case TEclipseVisibility::Visible:
        return "Visible";
    case TEclipseVisibility::PartiallyVisible:
        return "Partially Visible";
    case TEclipseVisibility::NotVisible:
        break;
    }
    return "Not Visible";
}

namespace {

// "Penumbral", "Partial" or "Total"; "" for none.
std::string EclipseKindWord(TEclipseType type) {
    switch (type) {
    case TEclipseType::Penumbral:
        return "Penumbral";
    case TEclipseType::Partial:
        return "Partial";
    case TEclipseType::Total:
        return "Total";
    case TEclipseType::None:
        break;
    }
    return "";
}

} // namespace

std::string EclipseTypeText(TEclipseType type) {
    const std::string kind = EclipseKindWord(type);
    return kind.empty() ? kind : kind + " Eclipse";
}

std::string LunarEclipseTypeText(TEclipseType type) {
    const std::string kind = EclipseKindWord(type);
    return (kind.empty() ? kind : kind + " ") + "Lunar Eclipse";
}

std::string EclipseContactText(const EclipseCircumstances& eclipse, int contact) {
    if (!eclipse.HasContact(contact)) return "";
    return LocalClockText(eclipse.Contacts[static_cast<size_t>(contact)]);
}

std::string EclipseDateText(const EclipseCircumstances& eclipse) {
    if (eclipse.Type == TEclipseType::None) return "";
    return LongDateText(eclipse.MaxDate);
}

std::string EclipseMaximumText(const EclipseCircumstances& eclipse) {
    return EclipseContactText(eclipse, ContactMax) + "  " + EclipseDateText(eclipse);
}

std::string IsoWeekText(const TDateFacts& facts) {
    return std::to_string(facts.Week) + "  (" + std::to_string(facts.WeekYear) + "-W" +
           std::to_string(facts.Week) + "-" + std::to_string(facts.Weekday) + ")";
}

std::string RepeatedHourMark(const TObserver& observer, double jdUT) {
    if (!observer.InRepeatedHour(jdUT)) return "";
    std::string mark(1, ' ');
    mark += observer.Zone.StateAt(jdUT).Abbreviation;
    return mark;
}

std::string CivilTimeText(const TObserver& observer, double jdUT) {
    if (!observer.Zone.IsNamed()) return UtcOffsetText(observer, jdUT);
    return observer.Zone.Name() + " " + observer.Zone.StateAt(jdUT).Abbreviation + ", " +
           UtcOffsetText(observer, jdUT);
}

std::string UtcOffsetText(const TObserver& observer, double jdUT) {
    const int minutes = observer.Zone.StateAt(jdUT).OffsetMinutes();
    char text[16];
    std::snprintf(text, sizeof text, "UTC%c%02d:%02d", minutes < 0 ? '-' : '+',
                  std::abs(minutes) / 60, std::abs(minutes) % 60);
    return text;
}
