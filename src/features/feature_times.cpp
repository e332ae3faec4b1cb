// SPDX-License-Identifier: GPL-3.0-or-later
#include "features/feature_times.h"

#include "engine/feature_sun.h"

std::vector<TFeatureSunEvents> FeatureSunriseSunset(const TFeatureTable& table,
                                                    const TDateRec& selectedLocal,
                                                    const TObserver& observer) {
    TDateRec first = selectedLocal;
    first.Day = 1;
    const double startJD = JulianDay(first);
    const double selectedJD = JulianDay(selectedLocal);
    // Every feature's search starts at the same instant and runs over the same weeks: the
    // Sun's selenographic place is worked out once for all of them.
    TSubSolarTrack track(observer.UTOfLocal(startJD), observer);
    std::vector<TFeatureSunEvents> rows;
    rows.reserve(table.Features.size());
    for (const TFeature& feature : table.Features) {
        const TFeatureSunTimes times =
            FeatureSunTimes(feature.LatitudeDeg, feature.LongitudeDeg, startJD, selectedJD, track);
        rows.push_back({feature.Name, times.Sunrise, times.Sunset});
    }
    return rows;
}
