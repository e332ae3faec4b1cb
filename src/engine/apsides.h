// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Perigee and apogee of the Moon (Meeus, Astronomical Algorithms, ch. 50). k counts
// anomalistic months: whole values are perigees, values ending in .5 apogees; k = 0 is the
// perigee of late December 1999.

// One passage through perigee or apogee.
struct TApsis {
    double K = 0.0;
    double JDE = 0.0;            // instant, used as Universal Time
    double ParallaxArcsec = 0.0; // equatorial horizontal parallax at the passage
    double DistanceKm = 0.0;     // Earth-Moon distance from the parallax
};

// The passage of apsis number k.
[[nodiscard]] TApsis ApsisPassage(double k);

// The first perigee and the first apogee whose instants are at or after jd.
struct TNextApsides {
    TApsis Perigee;
    TApsis Apogee;
};
[[nodiscard]] TNextApsides NextApsides(double jd);
