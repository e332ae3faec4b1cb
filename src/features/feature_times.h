#pragma once

// The next lunar sunrise and sunset over every feature of a feature table, as the features
// view lists them and `tidewell-almanac features` writes them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/date_time.h"
#include "engine/observer.h"
#include "features/feature_file.h"
#include "features/feature_position.h"

// Shown instead of a time that could not be found (near a lunar pole the Sun can stay on
// one side of the horizon for months) or of a feature whose position cells are not numbers.
inline constexpr std::string_view FeatureTimePlaceholder = "-----";

struct TFeatureTimesRow {
    std::string Name;
    std::string Sunrise; // "HH:MM  DD Month YYYY", or the placeholder
    std::string Sunset;
};

// For every feature of the table: the first sunrise and sunset after the selected local
// moment, searched from the first day of its month at the same time of day.
[[nodiscard]] std::vector<TFeatureTimesRow> FeatureSunriseSunset(const TFeatureTable& table,
                                                                 const TDateRec& selectedLocal,
                                                                 const TObserver& observer);
