#include "features/feature_times.h"

#include "features/feature_event_texts.h"

std::vector<TFeatureTimesRow> FeatureSunriseSunset(const TFeatureTable& table,
                                                   const TDateRec& selectedLocal,
                                                   const TObserver& observer) {
    TDateRec first = selectedLocal;
    first.Day = 1;
    const double startJD = JulianDay(first);
    const double selectedJD = JulianDay(selectedLocal);
    // Every feature's search starts at the same instant and runs over the same weeks: the
    // Sun's selenographic place is worked out once for all of them.
    TFeatureEventLister lister(startJD, selectedJD, observer);
    std::vector<TFeatureTimesRow> rows;
    rows.reserve(table.Rows.size());
    for (const TFeatureRow& feature : table.Rows) {
        TFeatureTimesRow row{feature[FeatureName], std::string(FeatureTimePlaceholder),
                             std::string(FeatureTimePlaceholder)};
        if (const auto at = FeaturePositionOf(feature)) {
            TFeatureEventTexts texts = lister.Texts(at->LatitudeDeg, at->LongitudeDeg);
            row.Sunrise = std::move(texts.Sunrise);
            row.Sunset = std::move(texts.Sunset);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}
