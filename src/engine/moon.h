// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "engine/coordinates.h"
#include "engine/observer.h"
#include "engine/physical_ephemeris.h"
#include "engine/sun.h"

// Everything shown about the Moon for one instant; every angle says its unit in its name.
struct [[nodiscard]] TMoonData {
    double LatitudeRad = 0.0;             // geocentric ecliptic latitude
    double LongitudeRad = 0.0;            // geometric ecliptic longitude, 0..2pi
    double ApparentLongitudeRad = 0.0;    // LongitudeRad plus nutation, not reduced again
    double DistanceKm = 0.0;              // between the centres of Earth and Moon
    double ParallaxDeg = 0.0;             // equatorial horizontal parallax
    double AltitudeDeg = 0.0;             // topocentric, no refraction
    double AzimuthDeg = 0.0;              // from North through East, 0..360
    double SemiDiameterDeg = 0.0;         // topocentric
    double BrightLimbAngleDeg = 0.0;      // position angle of the bright limb, 0..360
    double PhaseAngleDeg = 0.0;           // 0..180
    TEquatorial Equatorial;               // apparent geocentric right ascension and declination
    double TopoRADeg = 0.0;               // topocentric right ascension, not reduced to 0..360
    double TopoDecDeg = 0.0;              // topocentric declination
    std::int32_t IlluminationPercent = 0; // illuminated fraction, whole percent 0..100
    double LibrationLatDeg = 0.0;
    double LibrationLongDeg = 0.0;
    double AxisAngleDeg = 0.0;
    double ColongitudeDeg = 0.0;
    double SubSolarLatRad = 0.0;
};

// The Moon's apparent geocentric place alone, as MoonPosition computes it: all that rising and
// setting need, without the Sun, the observer's place or the physical ephemeris.
struct [[nodiscard]] TMoonPlace {
    double LatitudeRad = 0.0;          // geocentric ecliptic latitude
    double LongitudeRad = 0.0;         // geometric ecliptic longitude, 0..2pi
    double ApparentLongitudeRad = 0.0; // LongitudeRad plus nutation
    double DistanceKm = 0.0;
    double ParallaxDeg = 0.0; // equatorial horizontal parallax
    TEquatorial Equatorial;   // apparent geocentric right ascension and declination
};

// The place at an instant (UT used as dynamical time), bit for bit the one MoonPosition gives.
[[nodiscard]] TMoonPlace MoonApparentPlace(double jd);

// The same from the nutation at that instant (Nutation(jd)), which rising and setting share
// with the Sun's place.
[[nodiscard]] TMoonPlace MoonApparentPlace(double jd, const TNutation& nutation);

// The same place with the periodic terms of the series and of the nutation summed from
// products of the angles' multiples (TFastTermTrig): a quarter of the work, agreeing with
// MoonApparentPlace to about 1e-12 degree. For searches that compare times to the minute.
[[nodiscard]] TMoonPlace FastMoonApparentPlace(double jd);

// The illuminated fraction in whole percent (Meeus, ch. 48) from the Moon's place and the
// Sun's position at the same instant, as MoonPosition gives it.
[[nodiscard]] std::int32_t MoonIlluminationPercent(const TMoonPlace& moon, const TSunData& sun);

// The Moon's position and physical ephemeris for an instant (Meeus, Astronomical Algorithms,
// chs. 47, 40, 48 and 53). The JD is UT and is used directly as dynamical time. The Sun's
// position, computed on the way, is handed back in `sun`.
[[nodiscard]] TMoonData MoonPosition(double jd, const TObserver& observer, TSunData& sun);

// The same, also handing back the intermediate quantities of the physical ephemeris.
[[nodiscard]] TMoonData MoonPosition(double jd, const TObserver& observer, TSunData& sun,
                                     TLunarGeometry& geometry);
