// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <fstream>
#include <system_error>

#include "cli/almanac_commands.h"
#include "cli/csv_writer.h"
#include "cli/message_line.h"
#include "engine/angles.h"
#include "engine/moon.h"
#include "engine/nutation.h"
#include "engine/sun.h"

namespace {

const std::vector<std::string>& MoonColumns() {
    static const std::vector<std::string> columns = {"JD",
                                                     "Latitude",
                                                     "Longitude",
                                                     "ApparentLongitude",
                                                     "DistanceKm",
                                                     "Parallax",
                                                     "Altitude",
                                                     "Azimuth",
                                                     "SemiDiameter",
                                                     "BrightLimbAngle",
                                                     "PhaseAngle",
                                                     "RADeg",
                                                     "DecDeg",
                                                     "TopoRADeg",
                                                     "TopoDecDeg",
                                                     "Illumination",
                                                     "LibrationLat",
                                                     "LibrationLong",
                                                     "AxisAngle",
                                                     "Colongitude",
                                                     "SubSolarLatRad",
                                                     "SunTrueLongitude",
                                                     "SunLatitude",
                                                     "SunApparentLongitude",
                                                     "SunAltitude",
                                                     "SunAzimuth",
                                                     "SunDistanceKm",
                                                     "SunRADeg",
                                                     "SunDecDeg",
                                                     "DeltaPsi",
                                                     "DeltaEps",
                                                     "TrueObliquityDeg"};
    return columns;
}

std::vector<std::string> MoonRow(double jd, const TObserver& observer) {
    TSunData s;
    const TMoonData m = MoonPosition(jd, observer, s);
    TNutation nutation;
    const double epsilon = TrueObliquity(jd, nutation);
    const double values[] = {jd,
                             m.LatitudeRad,
                             m.LongitudeRad,
                             m.ApparentLongitudeRad,
                             m.DistanceKm,
                             m.ParallaxDeg,
                             m.AltitudeDeg,
                             m.AzimuthDeg,
                             m.SemiDiameterDeg,
                             m.BrightLimbAngleDeg,
                             m.PhaseAngleDeg,
                             m.Equatorial.RADeg,
                             m.Equatorial.DecDeg,
                             m.TopoRADeg,
                             m.TopoDecDeg,
                             static_cast<double>(m.IlluminationPercent),
                             m.LibrationLatDeg,
                             m.LibrationLongDeg,
                             m.AxisAngleDeg,
                             m.ColongitudeDeg,
                             m.SubSolarLatRad,
                             s.TrueLongitude,
                             s.Latitude,
                             s.ApparentLongitude,
                             s.Altitude,
                             s.Azimuth,
                             s.DistanceKm,
                             s.Equatorial.RADeg,
                             s.Equatorial.DecDeg,
                             nutation.DeltaPsi,
                             nutation.DeltaEps,
                             RadToDeg(epsilon)};
    std::vector<std::string> row;
    for (double v : values)
        row.push_back(FormatNumber(v));
    return row;
}

// Years 1..9999 in the Julian Day count, with a day's margin either side.
double CheckedJulianDay(const std::string& word, const std::string& where) {
    const double jd = ParseNumber(word, where + "Julian Day");
    if (jd < 1721422.5 || jd > 5373485.5)
        throw TUsageError(where +
                          "Julian Day out of range (years 1 to 9999): " + QuotedArgument(word));
    return jd;
}

// A line of a days file is this long at most; a Julian Day needs a few dozen characters.
constexpr std::size_t kLongestDaysLine = 256;

// One Julian Day a line; blank lines and lines starting with # are skipped. Blanks around the
// number and a carriage return before the line break are allowed; anything else on a line (a
// second number, trailing text, a NUL byte) is an error naming the line.
std::vector<double> DaysFromFile(const std::string& path) {
    const TUsageError unreadable("cannot read " + QuotedArgument(path));
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) throw unreadable;
    std::ifstream in(path, std::ios::binary);
    if (!in) throw unreadable;
    std::vector<double> days;
    std::string line;
    int number = 0;
    const auto takeLine = [&] {
        ++number;
        const std::string where =
            "line " + std::to_string(number) + " of " + QuotedArgument(path) + ": ";
        if (line.find('\0') != std::string::npos) throw TUsageError(where + "a NUL byte");
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') return;
        const std::string word = line.substr(first, line.find_last_not_of(" \t") + 1 - first);
        if (word.find_first_of(" \t") != std::string::npos)
            throw TUsageError(where + "one Julian Day a line, got " + QuotedArgument(word));
        days.push_back(CheckedJulianDay(word, where));
    };
    try {
        std::streambuf& buffer = *in.rdbuf();
        for (int c = buffer.sbumpc(); c != std::char_traits<char>::eof(); c = buffer.sbumpc()) {
            if (c == '\n') {
                takeLine();
                line.clear();
            } else if (line.size() == kLongestDaysLine) {
                throw TUsageError("line " + std::to_string(number + 1) + " of " +
                                  QuotedArgument(path) + " is too long");
            } else {
                line += static_cast<char>(c);
            }
        }
    } catch (const std::ios_base::failure&) {
        throw unreadable; // a read error after the open, such as EIO
    }
    if (!line.empty()) takeLine();
    if (days.empty()) throw TUsageError(QuotedArgument(path) + " holds no Julian Day");
    return days;
}

// Julian Days from the operands or, with --file, from the file.
std::vector<double> RequestedDays(const TAlmanacArgs& args) {
    if (!args.File.empty()) {
        if (!args.Operands.empty())
            throw TUsageError("moon takes either Julian Days or --file, not both");
        return DaysFromFile(args.File);
    }
    if (args.Operands.empty())
        throw TUsageError("moon needs at least one Julian Day (or --file F)");
    std::vector<double> days;
    for (const std::string& word : args.Operands)
        days.push_back(CheckedJulianDay(word, ""));
    return days;
}

} // namespace

int RunMoon(const TAlmanacArgs& args, std::ostream& out) {
    const std::vector<double> days = RequestedDays(args);
    WriteCsvRow(out, MoonColumns());
    for (double jd : days)
        WriteCsvRow(out, MoonRow(jd, args.Observer));
    return 0;
}
