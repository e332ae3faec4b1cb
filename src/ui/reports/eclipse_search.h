#pragma once

// The lunar eclipses of a span of years, as the eclipse report lists them: every eclipse of
// every month in time order, two in one month included (March 1904 has two).
//
//   const std::vector<EclipseCircumstances> found = EclipsesInYears(1900, 2100, observer);

#include <vector>

#include "engine/lunar_eclipse.h"
#include "engine/observer.h"

// The years the report accepts: a date record holds no year 0.
inline constexpr int FirstSearchYear = 1;
inline constexpr int LastSearchYear = 9999;

// Every eclipse from January of `from` to December of `to` (clamped to the years above),
// each computed with the Delta T of the year searched. Empty when to < from.
[[nodiscard]] std::vector<EclipseCircumstances> EclipsesInYears(int from, int to,
                                                                const TObserver& observer);
