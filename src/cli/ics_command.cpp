// SPDX-License-Identifier: GPL-3.0-or-later
// tidewell-almanac ics YEAR [YEAR2] [--what KINDS] [-o FILE]: the years' events as an iCalendar
// file.

#include <iostream>
#include <sstream>

#include "cli/almanac_commands.h"
#include "cli/message_line.h"
#include "engine/calendar_events.h"
#include "engine/date_time.h"
#include "engine/whole_file.h"

namespace {

// "phases,apsides,eclipses,seasons" or any of them; empty means all.
unsigned ParseCalendarKinds(const std::string& list) {
    if (list.empty()) return CalendarAllKinds;
    unsigned kinds = 0;
    std::stringstream words(list);
    std::string word;
    while (std::getline(words, word, ',')) {
        if (word == "phases")
            kinds |= CalendarPhases;
        else if (word == "apsides")
            kinds |= CalendarApsides;
        else if (word == "eclipses")
            kinds |= CalendarEclipses;
        else if (word == "seasons")
            kinds |= CalendarSeasons;
        else
            throw TUsageError("--what takes phases, apsides, eclipses and seasons separated by "
                              "commas, not " +
                              QuotedArgument(word));
    }
    if (kinds == 0) throw TUsageError("--what names no kind of event");
    return kinds;
}

// The DTSTAMP: when the file is made, in Universal Time.
TDateRec StampNow() {
    return JDToDate(JulianDayNow());
}

} // namespace

int RunIcs(const TAlmanacArgs& args, std::ostream& out) {
    int first = 0;
    int last = 0;
    ParseYearRange(args, first, last);
    const unsigned kinds = ParseCalendarKinds(args.What);
    const std::string text = AlmanacCalendar(first, last, args.Observer, kinds, StampNow());
    if (args.Output.empty()) {
        out << text;
        return 0;
    }
    // Reported on one line, the name escaped, by RunAlmanac (status 1); a file of that name
    // is left as it was.
    std::string error;
    if (!WriteWholeFile(args.Output, text, error))
        throw std::runtime_error("could not write " + QuotedArgument(args.Output) + ": " + error);
    return 0;
}
