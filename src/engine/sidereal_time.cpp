// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/sidereal_time.h"

#include "engine/angles.h"

double CenturiesSinceJ2000(double jd) {
    return (jd - 2451545.0) / 36525.0;
}

double SiderealTime0h(double jd) {
    const double t = CenturiesSinceJ2000(jd);
    const double t2 = t * t;
    const double t3 = t2 * t;
    return Normalize360(100.46061837 + 36000.770053608 * t + 0.000387933 * t2 - t3 / 38710000.0);
}

double SiderealTimeAt(double jd) {
    const double t = CenturiesSinceJ2000(jd);
    const double t2 = t * t;
    const double t3 = t2 * t;
    return Normalize360(280.46061837 + 360.98564736629 * (jd - 2451545.0) + 0.000387933 * t2 -
                        t3 / 38710000.0);
}

double LocalSiderealTimeDeg(double jd, double longitudeWestRad) {
    return Normalize360(SiderealTimeAt(jd) - RadToDeg(longitudeWestRad));
}
