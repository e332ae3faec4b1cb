#pragma once

// A feature's selenographic position, read from the degree, minute and second cells of its
// record.

#include <optional>
#include <string>

#include "features/feature_file.h"

// A feature's selenographic position, degrees (north and east positive).
struct TFeaturePosition {
    double LatitudeDeg = 0.0;
    double LongitudeDeg = 0.0;
};

// Degrees + minutes / 60 + seconds / 3600 from three decimal-integer cells (blanks around a
// number allowed). Nothing when a cell is not a whole number, the degrees are negative, or
// the minutes or seconds lie outside 0..59 (a damaged file).
[[nodiscard]] std::optional<double> FeatureAngleDeg(const std::string& deg, const std::string& min,
                                                    const std::string& sec);

// The row's position, negated for the exact letters "S" and "W". Nothing when an angle cannot
// be read (FeatureAngleDeg).
[[nodiscard]] std::optional<TFeaturePosition> FeaturePositionOf(const TFeatureRow& row);
