// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The next lunar sunrise and sunset over every feature of a feature table, as the features
// view lists them and `tidewell-almanac features` writes them.

#include <optional>
#include <string>
#include <vector>

#include "engine/date_time.h"
#include "engine/observer.h"
#include "features/feature_file.h"

// One feature's next sunrise and sunset, local civil time; nothing where none was found
// (near a lunar pole the Sun can stay on one side of the horizon for months).
struct TFeatureSunEvents {
    std::string Name;
    std::optional<TDateRec> Sunrise;
    std::optional<TDateRec> Sunset;
};

// For every feature of the table: the first sunrise and sunset after the selected local
// moment, searched from the first day of its month at the same time of day.
[[nodiscard]] std::vector<TFeatureSunEvents> FeatureSunriseSunset(const TFeatureTable& table,
                                                                  const TDateRec& selectedLocal,
                                                                  const TObserver& observer);
