// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/almanac_commands.h"

#include <iomanip>

#include "cli/message_line.h"
#include "engine/program_version.h"

namespace {

constexpr TAlmanacCommand kCommands[] = {
    {"now", "", "report of the Moon and Sun for the present moment and the month's phases", RunNow},
    {"moon", "JD... | --file F",
     "CSV of the Moon's and Sun's data at each Julian Day (UT; the file holds one a line)",
     RunMoon},
    {"phases", "YEAR [YEAR2]", "CSV of every principal phase of every month, in local time",
     RunPhases},
    {"riseset", "YEAR [MONTH]",
     "CSV of each day's Moon and Sun rise, transit, set and twilights; no MONTH: all year",
     RunRiseSet},
    {"apsides", "YEAR [YEAR2]", "CSV of the next perigee and apogee from the 1st of each month",
     RunApsides},
    {"eclipses", "YEAR1 YEAR2", "CSV of every lunar eclipse in the years, as the report lists them",
     RunEclipses},
    {"seasons", "YEAR [YEAR2]", "CSV of the equinoxes and solstices with the seasons' lengths",
     RunSeasons},
    {"easter", "YEAR [YEAR2]", "CSV of the date of Easter Sunday", RunEaster, false},
    {"dateinfo", "YYYY-MM-DD...", "CSV of Julian Day, day number, ISO week and days till Christmas",
     RunDateInfo, false},
    {"features", "FILE --at \"YYYY-MM-DD HH:MM\"",
     "CSV of the next lunar sunrise and sunset over every feature of a feature file", RunFeatures},
    {"ics", "YEAR [YEAR2] [--what K,..] [-o F]",
     "iCalendar file of the phases, apsides, eclipses and seasons (K: any of those four)", RunIcs},
    {"terminator", "[--date D] [--files F,..] [--min-km N]",
     "CSV of the features on the terminator at the night's best moment to observe", RunTerminator},
};

} // namespace

const TAlmanacCommand* AlmanacCommands(int& count) {
    count = static_cast<int>(std::size(kCommands));
    return kCommands;
}

const TAlmanacCommand* FindAlmanacCommand(const std::string& name) {
    for (const TAlmanacCommand& c : kCommands)
        if (name == c.Name) return &c;
    return nullptr;
}

void PrintAlmanacHelp(std::ostream& out) {
    out << "Usage: tidewell-almanac [observer options] COMMAND [operands]\n\n"
           "The Moon and Sun computed by Tidewell's engine, for scripts and checks.\n\n"
           "Commands:\n";
    for (const TAlmanacCommand& c : kCommands) {
        const std::string head = std::string(c.Name) + (*c.Usage ? " " : "") + c.Usage;
        // A long usage gets a line of its own, the summary below it in the summary column.
        if (head.size() >= 30)
            out << "  " << head << '\n' << std::string(32, ' ') << c.Summary << '\n';
        else
            out << "  " << std::left << std::setw(30) << head << c.Summary << '\n';
    }
    out << "\nObserver options (anywhere on the line):\n"
           "  --lat DEG      latitude, north positive\n"
           "  --lon DEG      longitude, east positive\n"
           "  --zone MIN     time zone in minutes east of Greenwich\n"
           "  --tz NAME      a named time zone (\"Europe/London\") with its own daylight saving\n"
           "  --dst          daylight saving in force (one hour added)\n"
           "  --no-dst       no daylight saving, whatever the settings say\n"
           "Options not given come from Tidewell's settings when they exist\n"
           "($XDG_CONFIG_HOME/tidewell/settings.db), else latitude 0, longitude 0, zone 0,\n"
           "no daylight saving. Settings that exist but cannot be read stop the almanac\n"
           "(status 1) rather than let it compute for another place.\n"
           "  --help         this text\n"
           "  --version      the version and the licence\n\n"
           "Numbers in CSV output carry 17 significant digits; angles are in degrees unless\n"
           "the column name ends in Rad, distances in km. Bad arguments: exit status 2.\n";
}

int RunAlmanac(const std::vector<std::string>& words, std::ostream& out, std::ostream& err,
               const TStoredObserver& stored) {
    try {
        TAlmanacArgs args = ParseAlmanacArgs(words);
        if (args.Help) {
            PrintAlmanacHelp(out);
            return 0;
        }
        if (args.Version) {
            out << VersionNotice("tidewell-almanac");
            return 0;
        }
        if (args.Command.empty()) throw TUsageError("no command given (see --help)");
        const TAlmanacCommand* command = FindAlmanacCommand(args.Command);
        if (!command)
            throw TUsageError("unknown command " + QuotedArgument(args.Command) + " (see --help)");
        if (command->NeedsObserver && !args.Given.Complete() && stored)
            args.Observer = WithObserverOptions(args.Given, stored());
        return command->Run(args, out);
    } catch (const TUsageError& e) {
        err << "tidewell-almanac: " << MessageLine(e.what()) << '\n';
        return 2;
    } catch (const std::exception& e) {
        err << "tidewell-almanac: " << MessageLine(e.what()) << '\n';
        return 1;
    }
}
