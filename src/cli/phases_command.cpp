#include "cli/almanac_commands.h"
#include "cli/csv_writer.h"
#include "engine/phases.h"

int RunPhases(const TAlmanacArgs& args, std::ostream& out) {
    int first = 0;
    int last = 0;
    ParseYearRange(args, first, last);
    WriteCsvRow(out, {"K", "PhaseType", "JDLocal", "Text"});
    for (int year = first; year <= last; ++year) {
        for (int month = 1; month <= 12; ++month) {
            TPhaseList phases;
            const int count = MonthPhases(MakeDate(year, month, 1), args.Observer, phases);
            for (int i = 0; i < count; ++i)
                WriteCsvRow(out, {FormatNumber(phases[i].K), std::to_string(phases[i].PhaseType),
                                  FormatNumber(phases[i].JDLocal), phases[i].Text});
        }
    }
    return 0;
}
