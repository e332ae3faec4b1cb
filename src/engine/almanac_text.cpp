#include "engine/almanac_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/date_facts.h"
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
    const std::string date = " " + TwoDigits(d.Day) + " " + LongMonthName(d.Month) + " " +
                             std::to_string(d.Year);
    return ClockText(d.Hour * 60 + d.Minute) + "  " + Utf8Prefix(date, 7);
}

std::string SeasonLengthText(const TSeasonEvent& event) {
    return GeneralNumberText(event.LengthDays) + " days";
}

std::string LocalSiderealTimeText(double jd, double longitudeWestRad) {
    const TSexagesimal s = HoursToSexagesimal(LocalSiderealTimeDeg(jd, longitudeWestRad) / 15.0);
    return s.Units + ":" + s.Minutes + ":" + s.Seconds;
}

std::string ApsisTimeText(double jde, double offsetDays) {
    // The added 30 seconds round the truncated minutes.
    const TDateRec d = JDToDate(jde + 1.0 / 2880.0 + offsetDays);
    std::string text = TwoDigits(d.Hour) + ":" + TwoDigits(d.Minute) + "  " + TwoDigits(d.Day) +
                       " " + Utf8Prefix(LongMonthName(d.Month), 3) + "  ";
    return text.substr(0, 25);
}

std::string ApsisDistanceText(double distanceKm) {
    return std::to_string(static_cast<long long>(std::nearbyint(distanceKm))) + " km  ";
}

TApsidesText ApsidesText(const TNextApsides& next, double offsetDays) {
    TApsidesText text;
    text.PerigeeDistance = ApsisDistanceText(next.Perigee.DistanceKm);
    text.PerigeeTime = ApsisTimeText(next.Perigee.JDE, offsetDays);
    text.ApogeeDistance = ApsisDistanceText(next.Apogee.DistanceKm);
    text.ApogeeTime = ApsisTimeText(next.Apogee.JDE, offsetDays);
    return text;
}

std::string EclipseVisibilityText(TEclipseVisibility visibility) {
    switch (visibility) {
    case TEclipseVisibility::Visible:
        return VisibleText;
    case TEclipseVisibility::PartiallyVisible:
        return PartiallyVisibleText;
    case TEclipseVisibility::NotVisible:
        break;
    }
    return NotVisibleText;
}

void FillEclipseTexts(EclipseCircumstances& ec) {
    const std::string maxText = DateTimeText(JDToDate(ec.Contacts[ContactMax]));
    ec.MaxTime = maxText.substr(0, 5);
    ec.DateText = maxText.size() > 10 ? maxText.substr(10) : "";
    ec.PenStart = LocalClockText(ec.Contacts[ContactP1]);
    ec.PenEnd = LocalClockText(ec.Contacts[ContactP4]);
    ec.UmbStart = ec.UmbEnd = ec.TotStart = ec.TotEnd = "";
    if (ec.EclipseType >= EclipsePartial) {
        ec.UmbStart = LocalClockText(ec.Contacts[ContactU1]);
        ec.UmbEnd = LocalClockText(ec.Contacts[ContactU4]);
    }
    if (ec.EclipseType == EclipseTotal) {
        ec.TotStart = LocalClockText(ec.Contacts[ContactU2]);
        ec.TotEnd = LocalClockText(ec.Contacts[ContactU3]);
    }
    ec.Visibility = EclipseVisibilityText(ec.VisibilityKind);
}

std::string UtcOffsetText(const TObserver& observer) {
    const int minutes = observer.ZoneMinutes + observer.DstMinutes;
    char text[16];
    std::snprintf(text, sizeof text, "UTC%c%02d:%02d", minutes < 0 ? '-' : '+',
                  std::abs(minutes) / 60, std::abs(minutes) % 60);
    return text;
}
