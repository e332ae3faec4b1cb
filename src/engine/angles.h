// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

inline constexpr double Pi = 3.1415926535897932385;

[[nodiscard]] constexpr double DegToRad(double degrees) {
    return degrees * (Pi / 180.0);
}
[[nodiscard]] constexpr double RadToDeg(double radians) {
    return radians * (180.0 / Pi);
}

// Reduces an angle to 0..360. A negative exact multiple of 360 gives 360, not 0:
// the sign test is on the argument, as the displays built on it expect.
[[nodiscard]] double Normalize360(double degrees);

// An angle in degrees reduced to 0..360 and converted to radians, as the periodic terms of
// the series take their arguments.
[[nodiscard]] inline double ReducedRad(double degrees) {
    return DegToRad(Normalize360(degrees));
}

// Sine and cosine of an angle given in degrees.
[[nodiscard]] inline double SinDeg(double degrees) {
    return std::sin(DegToRad(degrees));
}
[[nodiscard]] inline double CosDeg(double degrees) {
    return std::cos(DegToRad(degrees));
}
