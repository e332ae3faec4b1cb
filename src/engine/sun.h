// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/coordinates.h"
#include "engine/nutation.h"
#include "engine/observer.h"

// The Sun for one instant; angles in degrees.
struct [[nodiscard]] TSunData {
    double TrueLongitude = 0.0;     // geometric longitude, FK5 system, 0..360
    double Latitude = 0.0;          // geometric latitude, FK5 system
    double ApparentLongitude = 0.0; // with nutation and aberration, not reduced again
    double Altitude = 0.0;          // geocentric, no parallax, no refraction
    double Azimuth = 0.0;           // from North through East, 0..360
    double DistanceKm = 0.0;        // Earth-Sun distance
    TEquatorial Equatorial;         // apparent right ascension and declination
};

// The Sun's position (Meeus, Astronomical Algorithms, ch. 25, higher accuracy: the Earth's
// VSOP87 series of Appendix III, FK5 reduction, nutation and aberration). The JD is UT and
// is used directly as dynamical time.
[[nodiscard]] TSunData SunPosition(double jd, const TObserver& observer);

// The same without the observer: the longitudes, the distance and the equatorial angles bit
// for bit as SunPosition gives them, from the nutation at that instant (Nutation(jd)), which
// rising and setting share with the Moon's place. No altitude or azimuth.
[[nodiscard]] TSunData SunApparentPlace(double jd, const TNutation& nutation);
