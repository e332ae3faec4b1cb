// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/calendar_events.h"
#include "engine/almanac_text.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/angles.h"
#include "engine/apsides.h"
#include "engine/eclipse_search.h"
#include "engine/phase_name.h"
#include "engine/phases.h"
#include "engine/seasons.h"
#include "engine/text_helpers.h"

namespace {

// Mean length of the anomalistic month in days (Meeus, ch. 50).
constexpr double AnomalisticMonthDays = 27.554551;

struct TSpan {
    double StartLocal = 0.0; // 1 January of the first year, 0h local civil time
    double EndLocal = 0.0;   // 1 January after the last year
    [[nodiscard]] bool Holds(double localJD) const {
        return localJD >= StartLocal && localJD < EndLocal;
    }
};

// The fields of a local date record as a Julian Day, to the minute shown.
double ShownMinuteJD(const TDateRec& local) {
    return JulianDayOf(local.Year, local.Month, local.Day, local.Hour, local.Minute);
}

// The minute the almanac shows in local civil time, in Universal Time; a minute the clocks
// show twice is the one nearer the event's instant (UT). Offsets are whole minutes, so the
// minute stays the one shown.
double UTOfShown(const TDateRec& local, double eventUT, const TObserver& observer) {
    return observer.UTOfLocalNear(ShownMinuteJD(local), eventUT);
}

std::string Uid(const std::string& kind, const TDateRec& utc) {
    // The seconds ("00Z") are always zero: drop them for a shorter UID.
    std::string instant = CalendarUtcText(utc);
    instant.erase(instant.size() - 3, 2);
    return kind + "-" + instant + "@tidewell";
}

std::string UtcDateTimeText(const TDateRec& utc) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d UTC", utc.Year, utc.Month, utc.Day,
                  utc.Hour, utc.Minute);
    return text;
}

std::string LocalLine(const TDateRec& local, double eventUT, const TObserver& observer) {
    return "Local civil time (" + CivilTimeText(observer, UTOfShown(local, eventUT, observer)) +
           "): " + DateTimeTextNoSeconds(local);
}

std::string PlaceText(const TObserver& observer) {
    const double lat = RadToDeg(observer.ObserverLatitude);
    const double lonEast = -RadToDeg(observer.ObserverLongitude);
    char text[64];
    std::snprintf(text, sizeof text, "%.2f\u00B0 %c, %.2f\u00B0 %c", std::fabs(lat),
                  lat < 0 ? 'S' : 'N', std::fabs(lonEast), lonEast < 0 ? 'W' : 'E');
    return text;
}

TCalendarEvent MakeEvent(const std::string& kind, const TDateRec& local, double eventUT,
                         const TObserver& observer) {
    TCalendarEvent e;
    e.Start = JDToDate(UTOfShown(local, eventUT, observer));
    e.Uid = Uid(kind, e.Start);
    return e;
}

void AddPhases(std::vector<TCalendarEvent>& events, int from, int to, const TObserver& observer) {
    static constexpr const char* Kinds[4] = {"new-moon", "last-quarter", "full-moon",
                                             "first-quarter"};
    static constexpr const char* Names[4] = {"New Moon", "Last Quarter", "Full Moon",
                                             "First Quarter"};
    const std::vector<TPhaseEntry> phases = PhasesInYears(from, to, observer);
    for (size_t i = 0; i < phases.size(); ++i) {
        const TPhaseEntry& p = phases[i];
        const int type = PhaseTypeNumber(p.PhaseType);
        const double ut = TruePhase(p.K);
        TCalendarEvent e = MakeEvent(Kinds[type], p.When, ut, observer);
        e.Summary = Names[type];
        if (p.PhaseType == TPhaseType::FullMoon) {
            // The second full moon of a calendar month is a blue moon, as the main window has it.
            bool second = false;
            for (size_t j = i; j-- > 0 && phases[j].When.Month == p.When.Month &&
                               phases[j].When.Year == p.When.Year;)
                second = second || phases[j].PhaseType == TPhaseType::FullMoon;
            e.Summary += std::string(" (") +
                         (second ? "Blue" : TraditionalFullMoonName(p.When.Month)) + " Moon)";
        }
        e.Description = LocalLine(p.When, ut, observer);
        events.push_back(std::move(e));
    }
}

void AddApsides(std::vector<TCalendarEvent>& events, const TSpan& span, const TObserver& observer) {
    // Start a few days early: the periodic terms move a passage by less than three days.
    const TNextApsides first = NextApsides(observer.UTOfLocal(span.StartLocal) - 4.0);
    double k = std::min(first.Perigee.K, first.Apogee.K);
    const int bound =
        static_cast<int>((span.EndLocal - span.StartLocal) / AnomalisticMonthDays * 2.0) + 12;
    for (int i = 0; i < bound; ++i, k += 0.5) {
        const TApsis apsis = ApsisPassage(k);
        // Shown as the apsides text shows it: the minute rounded.
        const TDateRec local = JDToDate(apsis.JDE + 1.0 / 2880.0 + observer.LocalOffsetDaysAt(apsis.JDE));
        const double shown = ShownMinuteJD(local);
        if (shown >= span.EndLocal) break;
        if (!span.Holds(shown)) continue;
        const bool apogee = k != std::floor(k);
        TCalendarEvent e = MakeEvent(apogee ? "apogee" : "perigee", local, apsis.JDE, observer);
        const long long km = std::llround(apsis.DistanceKm);
        e.Summary = std::string(apogee ? "Apogee" : "Perigee") + " (" + std::to_string(km) + " km)";
        e.Description = std::string("The Moon ") + (apogee ? "farthest from" : "nearest to") +
                        " the Earth: " + std::to_string(km) + " km between the centres.\n" +
                        LocalLine(local, apsis.JDE, observer);
        events.push_back(std::move(e));
    }
}

std::string EclipseDescription(const EclipseCircumstances& ec, const TObserver& observer) {
    static constexpr const char* ContactNames[7] = {
        "Moon enters the penumbra", "Moon enters the umbra", "Totality begins",
        "Greatest eclipse",         "Totality ends",         "Moon leaves the umbra",
        "Moon leaves the penumbra"};
    char magnitudes[96];
    std::snprintf(magnitudes, sizeof magnitudes,
                  "Umbral magnitude %.3f, penumbral magnitude %.3f.\n", ec.UmbralMag,
                  ec.PenumbralMag);
    std::string text = magnitudes;
    for (int c = 0; c < 7; ++c) {
        if (ec.Contacts[static_cast<size_t>(c)] == 0.0) continue;
        // Seconds rounded, then dropped, as the eclipse report shows the contacts.
        const TDateRec local = JDToDate(ec.Contacts[static_cast<size_t>(c)]);
        const double near = ec.MaxUT + (local.JD - ec.Contacts[ContactMax]);
        const double ut = UTOfShown(local, near, observer);
        text += std::string(ContactNames[c]) + ": " + UtcDateTimeText(JDToDate(ut)) + "\n";
    }
    text +=
        "Seen from " + PlaceText(observer) + ": " + EclipseVisibilityText(ec.Visibility) + ".\n";
    text += LocalLine(ec.MaxDate, ec.MaxUT, observer) + " (greatest eclipse)";
    return text;
}

void AddEclipses(std::vector<TCalendarEvent>& events, int from, int to, const TObserver& observer) {
    for (const EclipseCircumstances& ec : LunarEclipsesInYears(from, to, observer)) {
        const TDateRec local = JDToDate(ec.Contacts[ContactMax]);
        TCalendarEvent e = MakeEvent("lunar-eclipse", local, ec.MaxUT, observer);
        e.Summary =
            LunarEclipseTypeText(ec.Type) + " (" + EclipseVisibilityText(ec.Visibility) + ")";
        e.Description = EclipseDescription(ec, observer);
        events.push_back(std::move(e));
    }
}

void AddSeasons(std::vector<TCalendarEvent>& events, int from, int to, const TObserver& observer) {
    for (int year = from; year <= to; ++year) {
        const TSeasons seasons = SeasonsOfYear(year, observer);
        for (const TSeasonEvent& s : seasons.Events) {
            // LocalJD carries the half minute that rounds the shown minute.
            const TDateRec local = JDToDate(s.LocalJD);
            const std::string name = SeasonEventName(s.Kind);
            std::string kind = name;
            std::replace(kind.begin(), kind.end(), ' ', '-');
            for (char& c : kind)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            const double ut = s.JDE - DeltaT(year) / 86400.0;
            TCalendarEvent e = MakeEvent(kind, local, ut, observer);
            std::string season = SeasonName(s.Season);
            for (char& c : season)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            e.Summary = name + ", " + season + " begins";
            e.Summary[0] =
                static_cast<char>(std::toupper(static_cast<unsigned char>(e.Summary[0])));
            e.Description =
                "The season that begins lasts " + SeasonLengthText(s) + " (" +
                (seasons.Hemisphere == THemisphere::Northern ? "northern" : "southern") +
                " hemisphere).\n" + LocalLine(local, ut, observer);
            events.push_back(std::move(e));
        }
    }
}

} // namespace

std::vector<TCalendarEvent> AlmanacCalendarEvents(int from, int to, const TObserver& observer,
                                                  unsigned kinds) {
    std::vector<TCalendarEvent> events;
    from = std::max(from, 1);
    to = std::min(to, 9999);
    if (to < from) return events;
    const TSpan span{JulianDayOf(from, 1, 1), JulianDayOf(to + 1, 1, 1)};
    if (kinds & CalendarPhases) AddPhases(events, from, to, observer);
    if (kinds & CalendarApsides) AddApsides(events, span, observer);
    if (kinds & CalendarEclipses) AddEclipses(events, from, to, observer);
    if (kinds & CalendarSeasons) AddSeasons(events, from, to, observer);
    std::stable_sort(events.begin(), events.end(),
                     [](const TCalendarEvent& a, const TCalendarEvent& b) {
                         return ShownMinuteJD(a.Start) < ShownMinuteJD(b.Start);
                     });
    return events;
}

std::string AlmanacCalendar(int from, int to, const TObserver& observer, unsigned kinds,
                            const TDateRec& stampUtc) {
    std::string name = "Tidewell " + std::to_string(from);
    if (to != from) name += "-" + std::to_string(to);
    return CalendarText(AlmanacCalendarEvents(from, to, observer, kinds), name, stampUtc);
}
