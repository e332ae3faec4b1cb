// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/rise_set_day.h"

#include <cmath>

#include "engine/angles.h"
#include "engine/coordinates.h"
#include "engine/rise_set.h"
#include "engine/sidereal_time.h"
#include "engine/text_helpers.h"

TDayData MakeDayData(const TEquatorial& e1, const TEquatorial& e2, const TEquatorial& e3,
                     double deltaT, double h0, double jd0, const TObserver& observer) {
    TDayData day{};
    day.Alpha[0] = e1.RADeg;
    day.Alpha[1] = e2.RADeg;
    day.Alpha[2] = e3.RADeg;
    if (day.Alpha[1] < day.Alpha[0]) day.Alpha[1] += 360.0;
    if (day.Alpha[2] < day.Alpha[1]) day.Alpha[2] += 360.0;
    day.Delta[0] = e1.DecDeg;
    day.Delta[1] = e2.DecDeg;
    day.Delta[2] = e3.DecDeg;
    day.Theta0 = SiderealTime0h(jd0);
    day.L = RadToDeg(observer.ObserverLongitude);
    day.Phi = observer.ObserverLatitude;
    day.SinPhi = std::sin(observer.ObserverLatitude);
    day.CosPhi = std::cos(observer.ObserverLatitude);
    day.DeltaTDays = deltaT / 86400.0;
    day.H0 = h0;
    day.SinH0 = std::sin(DegToRad(h0));
    return day;
}

double RightAscensionAt(const TDayData& day, double m) {
    return Interpolate3(day.Alpha[2], day.Alpha[1], day.Alpha[0], m + day.DeltaTDays);
}

double DeclinationAt(const TDayData& day, double m) {
    return Interpolate3(day.Delta[2], day.Delta[1], day.Delta[0], m + day.DeltaTDays);
}

double UnreducedHourAngle(const TDayData& day, double m) {
    return day.Theta0 + SiderealDegreesPerDay * m - day.L - RightAscensionAt(day, m);
}

namespace {

double ReduceOnce(double h) {
    if (h > 180.0) return h - 360.0;
    if (h < -180.0) return h + 360.0;
    return h;
}

} // namespace

THourAngleAt HourAngleAt(const TDayData& day, double m) {
    const double theta = Normalize360(day.Theta0 + SiderealDegreesPerDay * m);
    return {ReduceOnce(theta - day.L - RightAscensionAt(day, m)), DeclinationAt(day, m)};
}

double CosHourAngleAtH0(const TDayData& day, double dec) {
    return CosHourAngleAtH0(day, std::sin(dec), std::cos(dec));
}

double CosHourAngleAtH0(const TDayData& day, double sinDec, double cosDec) {
    return (day.SinH0 - day.SinPhi * sinDec) / (day.CosPhi * cosDec);
}

TAltitudeAt AltitudeAt(const TDayData& day, double m) {
    const THourAngleAt at = HourAngleAt(day, m);
    const double dec = DegToRad(at.DeclinationDeg);
    const double h = DegToRad(at.HourAngleDeg);
    const double cosDec = std::cos(dec);
    return {AltitudeFromSines(std::cos(h), std::sin(dec), cosDec, day.SinPhi, day.CosPhi), h,
            cosDec};
}

double AboveH0(const TDayData& day, double m) {
    return AltitudeAt(day, m).Degrees - day.H0;
}

TRiseSetEvent ShownEvent(double y, double localJD) {
    const TSexagesimalParts shown = SplitSexagesimal(y);
    TRiseSetEvent event;
    event.Status = TEventStatus::Occurs;
    event.Minute = static_cast<int>(shown.Units * 60 + shown.Minutes);
    event.LocalJD = localJD;
    return event;
}
