#include "engine/seasons.h"

#include <cmath>

#include "engine/angles.h"
#include "engine/date_facts.h"
#include "engine/date_time.h"
#include "engine/sun.h"
#include "engine/text_helpers.h"

namespace {

// Mean instants, Meeus, table 27.C (years +1000 to +3000), coefficients of Y^0..Y^4.
constexpr double MeanCoefficients[4][5] = {
    {2451623.80984, 365242.37404, 0.05169, -0.00411, -0.00057},
    {2451716.56767, 365241.62603, 0.00325, 0.00888, -0.00030},
    {2451810.21715, 365242.01767, -0.11575, 0.00337, 0.00078},
    {2451900.05952, 365242.74049, -0.06223, -0.00823, 0.00032},
};

constexpr const char* EventNames[4] = {"March equinox", "June solstice", "September equinox",
                                       "December solstice"};
constexpr const char* SeasonNames[4] = {"Spring", "Summer", "Autumn", "Winter"};

double MeanInstant(int event, int year) {
    const double y = (year - 2000) / 1000.0;
    const double* c = MeanCoefficients[event];
    return c[0] + c[1] * y + c[2] * y * y + c[3] * y * y * y + c[4] * y * y * y * y;
}

// Meeus, ch. 27: correct the instant by 58 sin(A - lambda) days until the Sun's apparent
// longitude is A.
double RefinedInstant(double jde, double targetDeg, const TObserver& observer) {
    for (int round = 0; round < MaxSeasonRefinements; ++round) {
        const double lambda = SunPosition(jde, observer).ApparentLongitude;
        const double c = 58.0 * std::sin(DegToRad(targetDeg - lambda));
        jde += c;
        if (std::fabs(c) < 1e-8) break;
    }
    return jde;
}

// "hh:mm", two blanks, then " DD Mon" taken from the date-and-time text.
std::string DisplayText(const std::string& dateTimeText) {
    if (dateTimeText.size() < 14) return dateTimeText;
    return dateTimeText.substr(0, 5) + "  " + Utf8Prefix(dateTimeText.substr(9), 7);
}

} // namespace

TSeasons SeasonsOfYear(int year, const TObserver& observer) {
    TSeasons seasons;
    seasons.Year = year;
    seasons.Northern = !std::signbit(observer.ObserverLatitude);
    const double localShift = -DeltaT(year) / 86400.0 + 1.0 / 2880.0 + observer.LocalOffsetDays();
    for (int event = 0; event < 4; ++event) {
        TSeasonEvent& e = seasons.Events[event];
        e.EventName = EventNames[event];
        e.JDE = RefinedInstant(MeanInstant(event, year), 90.0 * event, observer);
        e.LocalJD = e.JDE + localShift;
        e.DateTimeText = DateTimeText(JDToDate(e.LocalJD));
        e.Display = DisplayText(e.DateTimeText);
    }
    // The December season ends at next year's equinox, refined like the others: its mean
    // instant is off by hundredths of a day.
    seasons.NextMarchJDE = RefinedInstant(MeanInstant(MarchEquinox, year + 1), 0.0, observer);
    for (int event = 0; event < 4; ++event) {
        TSeasonEvent& e = seasons.Events[event];
        const double end = event < 3 ? seasons.Events[event + 1].JDE : seasons.NextMarchJDE;
        e.LengthDays = std::trunc((end - e.JDE) * 100.0) / 100.0;
        e.LengthText = GeneralNumberText(e.LengthDays) + " days";
    }
    // South of the equator spring begins at the September equinox.
    const int firstRow = seasons.Northern ? MarchEquinox : SeptemberEquinox;
    for (int row = 0; row < 4; ++row) {
        seasons.Rows[row] = (firstRow + row) % 4;
        seasons.Events[seasons.Rows[row]].SeasonName = SeasonNames[row];
    }
    return seasons;
}
