// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A feature's selenographic latitude or longitude: read from the degree, minute and second
// cells and the side letter of its record as signed degrees, and split again into whole
// degrees, minutes and seconds for the database's columns.

#include <optional>
#include <string>

// Degrees + minutes / 60 + seconds / 3600 from three decimal-integer cells (blanks around a
// number allowed). Nothing when a cell is not a whole number, the degrees are negative, or
// the minutes or seconds lie outside 0..59 (a damaged file).
[[nodiscard]] std::optional<double> FeatureAngleDeg(const std::string& deg, const std::string& min,
                                                    const std::string& sec);

// The angle of the cells, negated when the side is exactly `negativeSide` ("S" or "W").
[[nodiscard]] std::optional<double>
SignedFeatureAngleDeg(const std::string& deg, const std::string& min, const std::string& sec,
                      const std::string& side, const char* negativeSide);

// An angle in whole degrees, minutes and seconds and its side, as the files give it.
struct TFeatureDms {
    int Degrees = 0;
    int Minutes = 0;
    int Seconds = 0;
    bool Negative = false; // south or west
};

// Signed degrees split to the nearest second. The side of a zero angle is its sign's, so the
// file's "0 00 00 S" comes back as it was read.
[[nodiscard]] TFeatureDms FeatureDms(double signedDeg);
