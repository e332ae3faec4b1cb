// SPDX-License-Identifier: GPL-3.0-or-later
// tidewell-almanac terminator [--date YYYY-MM-DD] [--files F,..] [--min-km N]: the features on
// the terminator at the best moment of a night to observe the Moon.
//
// Output: comment lines starting with "# " give the night (Sky: Dark, Twilight or None, and
// after None the next night with a sky for the Moon within 30 nights, NextNight; the best moment,
// the span's start and end in local civil time "YYYY-MM-DD HH:MM"; the Moon's and the Sun's
// altitude then), then the CSV header and one row per feature, the sunrise side first, each side
// ordered by the Sun's altitude over the feature.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "cli/almanac_commands.h"
#include "cli/csv_writer.h"
#include "cli/message_line.h"
#include "engine/date_time.h"
#include "features/data_folder.h"
#include "features/terminator.h"

namespace {

std::string IsoMinute(double jd, const TObserver& observer) {
    const TDateRec t = LocalMinute(jd, observer);
    // The night of 31 December 9999 ends in the year 10000: its year is written whole.
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", int(t.Year), t.Month % 100,
                  t.Day % 100, t.Hour % 100, t.Minute % 100);
    return text;
}

// Tonight: the local date now, or yesterday's before noon (the night that began last evening).
TDateRec Tonight(const TObserver& observer) {
    const TDateRec local = JDToDate(observer.LocalOf(JulianDayNow()) - 0.5);
    return MakeDate(local.Year, local.Month, local.Day);
}

std::vector<std::string> FileList(const std::string& text) {
    std::vector<std::string> files;
    size_t from = 0;
    while (from <= text.size()) {
        const size_t comma = std::min(text.find(',', from), text.size());
        const std::string name = text.substr(from, comma - from);
        if (!IsFeatureFileName(name))
            throw TUsageError("unknown feature file " + QuotedArgument(name) +
                              " in --files (Albedo .. Vallis)");
        if (std::find(files.begin(), files.end(), name) == files.end()) files.push_back(name);
        from = comma + 1;
    }
    return files;
}

std::string IsoDateText(const TDateRec& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.Year % 10000, date.Month % 100,
                  date.Day % 100);
    return text;
}

const char* SkyName(TNightSky sky) {
    switch (sky) {
    case TNightSky::Dark:
        return "Dark";
    case TNightSky::Twilight:
        return "Twilight";
    case TNightSky::None:
        break;
    }
    return "None";
}

void WriteRows(std::ostream& out, const char* side, const std::vector<TTerminatorFeature>& rows) {
    for (const TTerminatorFeature& row : rows)
        WriteCsvRow(out, {side, row.Feature.Name, FormatNumber(row.SunAltitudeDeg),
                          FormatNumber(row.Feature.DiameterKm), row.Feature.File,
                          FormatNumber(row.Feature.LatitudeDeg),
                          FormatNumber(row.Feature.LongitudeDeg)});
}

} // namespace

int RunTerminator(const TAlmanacArgs& args, std::ostream& out) {
    if (!args.Operands.empty())
        throw TUsageError("terminator takes only --date, --files and --min-km");
    const TDateRec night = args.Date.empty() ? Tonight(args.Observer) : ParseIsoDate(args.Date);
    const std::vector<std::string> files =
        args.Files.empty() ? std::vector<std::string>{"Craters"} : FileList(args.Files);
    double minKm = DefaultTerminatorMinKm;
    if (!args.MinKm.empty()) {
        minKm = ParseNumber(args.MinKm, "--min-km");
        if (minKm < 0.0) throw TUsageError("--min-km must not be negative");
    }
    const TTerminatorCandidates candidates =
        LoadTerminatorCandidates(files, FindDataFolder(ExecutableFolder()));
    if (!candidates.Unloaded.empty())
        throw std::runtime_error(FeatureFileProblem(candidates.Unloaded.front())); // status 1

    const TObservingNight best =
        BestObservingMoment(night.Year, night.Month, night.Day, args.Observer);
    out << "# Night," << IsoDateText(night) << '\n' << "# Sky," << SkyName(best.Sky) << '\n';
    if (best.Sky == TNightSky::None) {
        out << "# no dark sky with the Moon up tonight\n";
        if (const auto next = NextObservingNight(night.Year, night.Month, night.Day, args.Observer))
            out << "# NextNight," << IsoDateText(*next) << '\n';
    } else {
        out << "# Best," << IsoMinute(best.BestJD, args.Observer) << '\n'
            << "# Start," << IsoMinute(best.StartJD, args.Observer) << '\n'
            << "# End," << IsoMinute(best.EndJD, args.Observer) << '\n'
            << "# MoonAltitudeDeg," << FormatNumber(best.MoonAltitudeDeg) << '\n'
            << "# SunAltitudeDeg," << FormatNumber(best.SunAltitudeDeg) << '\n'
            << "# Colongitude," << FormatNumber(best.Sun.ColongitudeDeg) << '\n';
    }
    const TTerminatorList list = TerminatorFeatures(candidates.Features, best, minKm);
    out << "# SmallerThanMinKm," << list.SmallHidden << '\n';
    WriteCsvRow(out, {"Side", "Name", "SunAltitudeDeg", "DiameterKm", "File", "LatitudeDeg",
                      "LongitudeDeg"});
    WriteRows(out, "Sunrise", list.Sunrise);
    WriteRows(out, "Sunset", list.Sunset);
    return 0;
}
