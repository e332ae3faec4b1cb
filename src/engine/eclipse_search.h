// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "engine/lunar_eclipse.h"
#include "engine/observer.h"

// The lunar eclipses of a span of years, found by walking the full moons (k + 0.5) in order.
// A full moon too far from a node is ruled out from its mean argument of latitude before any
// periodic correction is summed (Meeus, ch. 54); only the survivors get their true instant and
// the full eclipse arithmetic. The result is the one a month-by-month search over the
// MonthPhases lists gives (MonthEclipses of every month, in order): the same eclipses, two in
// one month included, each with the Delta T of the local civil year of its full moon. A long
// span is shared out among a few threads in consecutive pieces of whole years.
//
//   const std::vector<EclipseCircumstances> found = LunarEclipsesInYears(1900, 2100, observer);

// Every eclipse whose full moon falls, in local civil time, from 1 January of `from` to
// 31 December of `to`. Empty when to < from; years are clamped to 0..65534, what a date
// record holds.
[[nodiscard]] std::vector<EclipseCircumstances> LunarEclipsesInYears(int from, int to,
                                                                     const TObserver& observer);

// The years the eclipse report accepts: a date record holds no year 0.
inline constexpr int FirstSearchYear = 1;
inline constexpr int LastSearchYear = 9999;

// Every eclipse from January of `from` to December of `to` clamped to the years above.
[[nodiscard]] std::vector<EclipseCircumstances> EclipsesInYears(int from, int to,
                                                                const TObserver& observer);
