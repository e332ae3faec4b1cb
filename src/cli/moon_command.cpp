#include <fstream>
#include <sstream>

#include "cli/almanac_commands.h"
#include "cli/csv_writer.h"
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
                             m.Latitude,
                             m.Longitude,
                             m.ApparentLongitude,
                             m.DistanceKm,
                             m.Parallax,
                             m.Altitude,
                             m.Azimuth,
                             m.SemiDiameter,
                             m.BrightLimbAngle,
                             m.PhaseAngle,
                             m.Equatorial.RADeg,
                             m.Equatorial.DecDeg,
                             m.TopoRADeg,
                             m.TopoDecDeg,
                             static_cast<double>(m.Illumination),
                             m.LibrationLat,
                             m.LibrationLong,
                             m.AxisAngle,
                             m.Colongitude,
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

// Julian Days from the operands or, with --file, one a line (blank lines and # comments skipped).
std::vector<double> RequestedDays(const TAlmanacArgs& args) {
    std::vector<std::string> words = args.Operands;
    if (!args.File.empty()) {
        if (!words.empty()) throw TUsageError("moon takes either Julian Days or --file, not both");
        std::ifstream in(args.File);
        if (!in) throw TUsageError("cannot read '" + args.File + "'");
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            std::string word;
            if (fields >> word && word[0] != '#') words.push_back(word);
        }
    }
    if (words.empty()) throw TUsageError("moon needs at least one Julian Day (or --file F)");
    std::vector<double> days;
    for (const std::string& w : words) {
        const double jd = ParseNumber(w, "Julian Day");
        // Years 1..9999 in the Julian Day count, with a day's margin either side.
        if (jd < 1721422.5 || jd > 5373485.5)
            throw TUsageError("Julian Day out of range (years 1 to 9999): '" + w + "'");
        days.push_back(jd);
    }
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
