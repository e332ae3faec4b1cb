// SPDX-License-Identifier: GPL-3.0-or-later
// tidewell-almanac features FILE --at "YYYY-MM-DD HH:MM": the features view's listing.

#include <filesystem>

#include "cli/almanac_commands.h"
#include "cli/csv_writer.h"
#include "cli/message_line.h"
#include "features/data_folder.h"
#include "features/feature_event_texts.h"
#include "features/feature_times.h"
#include "features/terminator_candidate.h"

int RunFeatures(const TAlmanacArgs& args, std::ostream& out) {
    if (args.Operands.size() != 1) throw TUsageError("features needs one FILE, such as Craters");
    if (args.At.empty()) throw TUsageError("features needs --at \"YYYY-MM-DD HH:MM\"");
    const std::string& name = args.Operands[0];
    if (!IsFeatureFileName(name))
        throw TUsageError("unknown feature file " + QuotedArgument(name) +
                          " (one of Albedo .. Vallis)");
    const TDateRec at = ParseIsoMinute(args.At, "--at");
    TFeatureTable table;
    const TFeatureFileLoad load = LoadFeatureFile(table, name, FindDataFolder(ExecutableFolder()));
    if (load != TFeatureFileStatus::Loaded)
        throw std::runtime_error(FeatureFileProblem(load)); // status 1
    WriteCsvRow(out, {"Name", "Sunrise", "Sunset"});
    for (const TFeatureSunEvents& row : FeatureSunriseSunset(table, at, args.Observer))
        WriteCsvRow(out, {row.Name, FeatureEventText(row.Sunrise), FeatureEventText(row.Sunset)});
    return 0;
}
