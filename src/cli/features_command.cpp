// tidewell-almanac features FILE --at "YYYY-MM-DD HH:MM": the features view's listing.

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "cli/almanac_commands.h"
#include "cli/csv_writer.h"
#include "features/data_folder.h"
#include "features/feature_times.h"

namespace {

int Digits(const std::string& text, size_t at, size_t count) {
    int value = 0;
    const char* first = text.data() + at;
    const auto [end, error] = std::from_chars(first, first + count, value);
    if (error != std::errc() || end != first + count) return -1;
    return value;
}

// "YYYY-MM-DD HH:MM", local civil time.
TDateRec ParseLocalMinute(const std::string& text) {
    const TUsageError bad("--at needs \"YYYY-MM-DD HH:MM\", got '" + text + "'");
    if (text.size() != 16 || text[4] != '-' || text[7] != '-' || text[10] != ' ' ||
        text[13] != ':')
        throw bad;
    const int year = Digits(text, 0, 4), month = Digits(text, 5, 2), day = Digits(text, 8, 2);
    const int hour = Digits(text, 11, 2), minute = Digits(text, 14, 2);
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(month, year) ||
        hour < 0 || hour > 23 || minute < 0 || minute > 59)
        throw bad;
    TDateRec date;
    date.Year = static_cast<std::uint16_t>(year);
    date.Month = static_cast<std::uint16_t>(month);
    date.Day = static_cast<std::uint16_t>(day);
    date.Hour = static_cast<std::uint16_t>(hour);
    date.Minute = static_cast<std::uint16_t>(minute);
    date.JD = JulianDay(date);
    return date;
}

std::filesystem::path ExecutableFolder() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : self.parent_path();
}

} // namespace

int RunFeatures(const TAlmanacArgs& args, std::ostream& out) {
    if (args.Operands.size() != 1) throw TUsageError("features needs one FILE, such as Craters");
    if (args.At.empty()) throw TUsageError("features needs --at \"YYYY-MM-DD HH:MM\"");
    const std::string& name = args.Operands[0];
    if (std::find(FeatureFileNames.begin(), FeatureFileNames.end(), name) == FeatureFileNames.end())
        throw TUsageError("unknown feature file '" + name + "' (one of Albedo .. Vallis)");
    const TDateRec at = ParseLocalMinute(args.At);
    TFeatureTable table;
    if (LoadFeatureFile(table, name, FindDataFolder(ExecutableFolder())) !=
        TFeatureFileStatus::Loaded) {
        std::cerr << "tidewell-almanac: the feature file " << name << " was not found\n";
        return 1;
    }
    WriteCsvRow(out, {"Name", "Sunrise", "Sunset"});
    for (const TFeatureTimesRow& row : FeatureSunriseSunset(table, at, args.Observer))
        WriteCsvRow(out, {row.Name, row.Sunrise, row.Sunset});
    return 0;
}
