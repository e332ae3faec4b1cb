// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/angles.h"

#include <cstdint>

double Normalize360(double degrees) {
    if (!std::isfinite(degrees)) return degrees;
    const double turns = std::trunc(degrees / 360.0);
    // Beyond the range of a 64-bit count the angle carries no useful fraction anyway.
    if (std::fabs(turns) > 9.0e18) return 0.0;
    const double r = degrees - 360.0 * static_cast<double>(static_cast<std::int64_t>(turns));
    return degrees >= 0.0 ? r : r + 360.0;
}
