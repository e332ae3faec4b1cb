// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <cstdio>

#include "cli/almanac_commands.h"
#include "engine/almanac_text.h"
#include "engine/angles.h"
#include "engine/date_time.h"
#include "engine/moon.h"
#include "engine/phase_name.h"
#include "engine/phases.h"
#include "engine/regional_names.h"
#include "engine/sun.h"
#include "engine/text_helpers.h"

namespace {

std::string Degrees(double value) {
    const TSexagesimal s = HoursToSexagesimal(value);
    return (s.Sign == "  " ? std::string(" ") : std::string("-")) + s.Units + "\u00b0" + s.Minutes +
           "'" + s.Seconds + "\"";
}

std::string Hours(double degrees) {
    const TSexagesimal s = RightAscensionText(degrees);
    return " " + s.Units + "h" + s.Minutes + "m" + s.Seconds + "s";
}

std::string AgeText(double ageDays) {
    const int days = static_cast<int>(ageDays);
    const double hours = (ageDays - days) * 24.0;
    const int h = static_cast<int>(hours);
    const int m = static_cast<int>((hours - h) * 60.0);
    char text[32];
    std::snprintf(text, sizeof text, "%02dd %02dh %02dm", days, h, m);
    return text;
}

// A coordinate of the observer to the nearest second of arc.
std::string CoordinateText(double degrees, const char* positive, const char* negative) {
    const long long seconds = std::llround(std::fabs(degrees) * 3600.0);
    char text[32];
    std::snprintf(text, sizeof text, "%lld\u00b0%02lld'%02lld\" %s", seconds / 3600,
                  seconds / 60 % 60, seconds % 60, degrees < 0 ? negative : positive);
    return text;
}

std::string PlaceText(const TObserver& observer) {
    return CoordinateText(RadToDeg(observer.ObserverLatitude), "N", "S") + ", " +
           CoordinateText(-RadToDeg(observer.ObserverLongitude), "E", "W");
}

const char* PhaseTypeName(TPhaseType type) {
    static constexpr const char* kNames[4] = {"New Moon", "Last Quarter", "Full Moon",
                                              "First Quarter"};
    return kNames[PhaseTypeNumber(type)];
}

void Line(std::ostream& out, const char* caption, const std::string& value) {
    char head[24];
    std::snprintf(head, sizeof head, "  %-18s", caption);
    out << head << value << '\n';
}

void ReportMoon(std::ostream& out, double ut, const TDateRec& local, const TObserver& observer,
                const TSunData& sun, const TMoonData& moon) {
    const TNewMoonPair newMoons = BracketingNewMoons(ut);
    const double age = ut - newMoons.PrevNewMoon;
    const double percent = LunationPercent(age, newMoons.PrevNewMoon, newMoons.NextNewMoon);

    TPhaseList phases;
    const int count = MonthPhases(local, observer, phases);
    const bool blue = count == 5 && phases[4].PhaseType == TPhaseType::FullMoon &&
                      phases[4].JDLocal - 0.5 < observer.LocalOf(ut);
    char number[64];
    out << "Moon\n";
    Line(out, "Phase:", MoonPhaseName(percent, local.Month, blue));
    Line(out, "Age:", AgeText(age));
    std::snprintf(number, sizeof number, "%d %%", moon.IlluminationPercent);
    Line(out, "Visible:", number);
    std::snprintf(number, sizeof number, "%.0f km", std::trunc(moon.DistanceKm));
    Line(out, "Distance:", number);
    Line(out, "R.A. (topo.):", Hours(moon.TopoRADeg));
    Line(out, "Dec. (topo.):", Degrees(moon.TopoDecDeg));
    Line(out, "Parallax:", Degrees(moon.ParallaxDeg));
    Line(out, "Diameter:", Degrees(2 * moon.SemiDiameterDeg));
    Line(out, "Altitude:", Degrees(moon.AltitudeDeg));
    Line(out, "Azimuth:", Degrees(moon.AzimuthDeg));
    Line(out, "Bright limb P.A.:", Degrees(moon.BrightLimbAngleDeg));
    Line(out, "Phase angle:", Degrees(moon.PhaseAngleDeg));
    Line(out, "Libration long.:", Degrees(moon.LibrationLongDeg));
    Line(out, "Libration lat.:", Degrees(moon.LibrationLatDeg));
    Line(out, "Axis P.A.:", Degrees(moon.AxisAngleDeg));
    Line(out, "Colongitude:", Degrees(moon.ColongitudeDeg));
    out << "Sun\n";
    Line(out, "Altitude:", Degrees(sun.Altitude));
    Line(out, "Azimuth:", Degrees(sun.Azimuth));
    Line(out, "R.A.:", Hours(sun.Equatorial.RADeg));
    Line(out, "Dec.:", Degrees(sun.Equatorial.DecDeg));
    out << "Phases of " << LongMonthName(local.Month) << ' ' << local.Year << '\n';
    for (int i = 0; i < count; ++i) {
        const bool fifthFull = i == 4 && phases[i].PhaseType == TPhaseType::FullMoon;
        Line(out,
             fifthFull ? "Blue Moon:"
                       : (std::string(PhaseTypeName(phases[i].PhaseType)) + ":").c_str(),
             PhaseDateText(phases[i]));
    }
}

} // namespace

int RunNow(const TAlmanacArgs& args, std::ostream& out) {
    if (!args.Operands.empty()) throw TUsageError("now takes no operands");
    const TObserver& observer = args.Observer;
    const double ut = JulianDayNow();
    const TDateRec local = JDToDate(observer.LocalOf(ut));

    TSunData sun;
    const TMoonData moon = MoonPosition(ut, observer, sun);
    out << "Tidewell almanac for " << DateTimeText(local) << " (" << CivilTimeText(observer, ut)
        << ")\n";
    out << "Observer at " << PlaceText(observer) << "\n\n";
    ReportMoon(out, ut, local, observer, sun, moon);
    return 0;
}
