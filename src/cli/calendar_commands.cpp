// SPDX-License-Identifier: GPL-3.0-or-later
// Commands over whole days and years: rise and set times, apsides, seasons, Easter and
// date facts.

#include <algorithm>
#include <array>
#include <span>

#include "cli/almanac_commands.h"
#include "cli/csv_writer.h"
#include "engine/almanac_text.h"
#include "engine/apsides.h"
#include "engine/date_facts.h"
#include "engine/easter.h"
#include "engine/rise_set.h"
#include "engine/seasons.h"
#include "engine/side_by_side.h"

namespace {

// Days made at a time. A piece starts with two places of the Sun and the Moon that the day
// before it shares, so pieces much shorter cost more than a second thread saves (a day is
// about 12 us).
constexpr size_t DaysPerPiece = 61;

// The days' rise and set times, a long run in pieces side by side. Each day depends on its
// own date alone, so the pieces one after the other are the whole run.
std::vector<TDayRiseSet> RiseSetDaysSideBySide(std::span<const TDateRec> dates,
                                               const TObserver& observer) {
    const int pieces = static_cast<int>((dates.size() + DaysPerPiece - 1) / DaysPerPiece);
    return Joined(PiecesSideBySide(pieces, [&](int i) {
        const size_t start = static_cast<size_t>(i) * DaysPerPiece;
        return RiseSetDays(dates.subspan(start, std::min(DaysPerPiece, dates.size() - start)),
                           observer);
    }));
}

// The days of the month given, or of the whole year when only the year is.
std::vector<TDateRec> RiseSetDates(const TAlmanacArgs& args) {
    if (args.Operands.empty() || args.Operands.size() > 2)
        throw TUsageError("riseset needs YEAR [MONTH]");
    const int year = ParseWholeNumber(args.Operands[0], "YEAR", 1, LastCalendarYear);
    if (args.Operands.size() == 2)
        return MonthDates(year, ParseWholeNumber(args.Operands[1], "MONTH", 1, 12));
    std::vector<TDateRec> dates;
    for (int month = 1; month <= 12; ++month) {
        const std::vector<TDateRec> days = MonthDates(year, month);
        dates.insert(dates.end(), days.begin(), days.end());
    }
    return dates;
}

} // namespace

int RunRiseSet(const TAlmanacArgs& args, std::ostream& out) {
    const std::vector<TDateRec> dates = RiseSetDates(args);
    WriteCsvRow(out, {"Day", "MoonRise", "MoonTransit", "MoonSet", "Illumination", "SunRise",
                      "SunTransit", "SunSet", "CivilStart", "CivilEnd", "NauticalStart",
                      "NauticalEnd", "AstroStart", "AstroEnd"});
    const std::vector<TDayRiseSet> days = RiseSetDaysSideBySide(dates, args.Observer);
    for (size_t i = 0; i < days.size(); ++i) {
        const TRiseSetTimes& moon = days[i].Moon.Events;
        const std::array<TRiseSetTimes, 4>& sun = days[i].Sun;
        WriteCsvRow(out, {std::to_string(dates[i].Day), EventTimeText(moon.Rise),
                          EventTimeText(moon.Transit), EventTimeText(moon.Set),
                          std::to_string(days[i].Moon.Illumination), EventTimeText(sun[0].Rise),
                          EventTimeText(sun[0].Transit), EventTimeText(sun[0].Set),
                          EventTimeText(sun[1].Rise), EventTimeText(sun[1].Set),
                          EventTimeText(sun[2].Rise), EventTimeText(sun[2].Set),
                          EventTimeText(sun[3].Rise), EventTimeText(sun[3].Set)});
    }
    return 0;
}

int RunApsides(const TAlmanacArgs& args, std::ostream& out) {
    int first = 0;
    int last = 0;
    ParseYearRange(args, first, last);
    // The shown texts first, then the same passages as numbers: the instants as Julian Days
    // (UT) and the distances in km.
    WriteCsvRow(out,
                {"Year", "Month", "PerigeeTime", "PerigeeDistance", "ApogeeTime", "ApogeeDistance",
                 "PerigeeJD", "PerigeeDistanceKm", "ApogeeJD", "ApogeeDistanceKm"});
    for (int year = first; year <= last; ++year) {
        for (int month = 1; month <= 12; ++month) {
            // Searched from the 1st at 0h local time, as the calendar keeps its days.
            const TNextApsides next = NextApsides(JulianDayOf(year, month, 1));
            const TApsidesText a = ApsidesText(next, args.Observer);
            WriteCsvRow(out, {std::to_string(year), std::to_string(month), a.PerigeeTime,
                              a.PerigeeDistance, a.ApogeeTime, a.ApogeeDistance,
                              FormatNumber(next.Perigee.JDE), FormatNumber(next.Perigee.DistanceKm),
                              FormatNumber(next.Apogee.JDE), FormatNumber(next.Apogee.DistanceKm)});
        }
    }
    return 0;
}

int RunSeasons(const TAlmanacArgs& args, std::ostream& out) {
    int first = 0;
    int last = 0;
    ParseYearRange(args, first, last);
    WriteCsvRow(out, {"Year", "Event", "Season", "JDE", "LocalJD", "DateTimeText", "Display",
                      "LengthDays"});
    for (int year = first; year <= last; ++year) {
        const TSeasons seasons = SeasonsOfYear(year, args.Observer);
        for (const TSeasonEvent& e : seasons.Events)
            WriteCsvRow(out, {std::to_string(year), SeasonEventName(e.Kind), SeasonName(e.Season),
                              FormatNumber(e.JDE), FormatNumber(e.LocalJD), SeasonDateTimeText(e),
                              SeasonShortText(e), FormatNumber(e.LengthDays)});
    }
    return 0;
}

int RunEaster(const TAlmanacArgs& args, std::ostream& out) {
    int first = 0;
    int last = 0;
    ParseYearRange(args, first, last);
    WriteCsvRow(out, {"Year", "Easter"});
    for (int year = first; year <= last; ++year)
        WriteCsvRow(out, {std::to_string(year), Sunday(static_cast<std::uint16_t>(year))});
    return 0;
}

int RunDateInfo(const TAlmanacArgs& args, std::ostream& out) {
    if (args.Operands.empty()) throw TUsageError("dateinfo needs one or more dates YYYY-MM-DD");
    std::vector<TDateRec> dates;
    for (const std::string& word : args.Operands)
        dates.push_back(ParseIsoDate(word));
    // The week as shown, then its ISO 8601 parts as numbers.
    WriteCsvRow(out, {"Date", "JulianDay", "DayNumber", "Week", "DaysTillXmas", "WeekYear",
                      "WeekNumber", "Weekday"});
    for (size_t i = 0; i < dates.size(); ++i) {
        const TDateFacts facts = DateFacts(dates[i]);
        WriteCsvRow(out, {args.Operands[i], FormatNumber(facts.JulianDay),
                          std::to_string(facts.DayNumber), IsoWeekText(facts),
                          std::to_string(facts.DaysTillXmas), std::to_string(facts.WeekYear),
                          std::to_string(facts.Week), std::to_string(facts.Weekday)});
    }
    return 0;
}
