#include "features/feature_times.h"

#include <charconv>

#include "features/feature_event_texts.h"

namespace {

std::optional<int> WholeNumber(const std::string& cell) {
    const char* first = cell.data();
    const char* last = first + cell.size();
    while (first < last && *first == ' ')
        ++first;
    while (last > first && last[-1] == ' ')
        --last;
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (first == last || error != std::errc() || end != last) return std::nullopt;
    return value;
}

std::optional<double> Angle(const TFeatureRow& row, int degCol, int dirCol, const char* negative) {
    double total = 0.0;
    double unit = 1.0;
    for (int col = degCol; col < degCol + 3; ++col, unit *= 60.0) {
        const auto value = WholeNumber(row[col]);
        if (!value) return std::nullopt;
        total += *value / unit;
    }
    return row[dirCol] == negative ? -total : total;
}

} // namespace

std::optional<TFeaturePosition> FeaturePositionOf(const TFeatureRow& row) {
    const auto lat = Angle(row, FeatureLatDeg, FeatureLatDir, "S");
    const auto lon = Angle(row, FeatureLongDeg, FeatureLongDir, "W");
    if (!lat || !lon) return std::nullopt;
    return TFeaturePosition{*lat, *lon};
}

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
