#include "cli/almanac_commands.h"
#include "cli/csv_writer.h"
#include "engine/phases.h"

int RunPhases(const TAlmanacArgs& args, std::ostream& out) {
    int first = 0;
    int last = 0;
    ParseYearRange(args, first, last);
    WriteCsvRow(out, {"K", "PhaseType", "JDLocal", "Text"});
    for (const TPhaseEntry& phase : PhasesInYears(first, last, args.Observer))
        WriteCsvRow(out, {FormatNumber(phase.K), std::to_string(phase.PhaseType),
                          FormatNumber(phase.JDLocal), phase.Text});
    return 0;
}
