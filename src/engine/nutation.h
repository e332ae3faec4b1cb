// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Nutation in longitude and in obliquity, arcseconds.
struct [[nodiscard]] TNutation {
    double DeltaPsi = 0.0; // nutation in longitude
    double DeltaEps = 0.0; // nutation in obliquity
};

// Nutation from the 63-term IAU 1980 series (Meeus, Astronomical Algorithms, ch. 22).
[[nodiscard]] TNutation Nutation(double jd);

// The same with the terms' sines and cosines from TFastTermTrig (engine/term_trig.h): to about
// 1e-15 arcsecond, for searches that compare times to the minute.
[[nodiscard]] TNutation FastNutation(double jd);

// True obliquity of the ecliptic in radians: Laskar's mean obliquity (Meeus, eq. 22.3) plus
// the nutation in obliquity. The nutation it used is handed back in `nutation`.
[[nodiscard]] double TrueObliquity(double jd, TNutation& nutation);

// The true obliquity from a nutation already at hand.
[[nodiscard]] double ObliquityWithNutation(double jd, const TNutation& nutation);

// The same when the caller has no use for the nutation.
[[nodiscard]] double TrueObliquity(double jd);
