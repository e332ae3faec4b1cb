#include "features/feature_position.h"

#include <charconv>

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
    const auto angle = FeatureAngleDeg(row[degCol], row[degCol + 1], row[degCol + 2]);
    if (!angle) return std::nullopt;
    return row[dirCol] == negative ? -*angle : *angle;
}

} // namespace

std::optional<double> FeatureAngleDeg(const std::string& deg, const std::string& min,
                                      const std::string& sec) {
    const auto d = WholeNumber(deg), m = WholeNumber(min), s = WholeNumber(sec);
    if (!d || !m || !s || *d < 0 || *m < 0 || *m > 59 || *s < 0 || *s > 59) return std::nullopt;
    return *d + *m / 60.0 + *s / 3600.0;
}

std::optional<TFeaturePosition> FeaturePositionOf(const TFeatureRow& row) {
    const auto lat = Angle(row, FeatureLatDeg, FeatureLatDir, "S");
    const auto lon = Angle(row, FeatureLongDeg, FeatureLongDir, "W");
    if (!lat || !lon) return std::nullopt;
    return TFeaturePosition{*lat, *lon};
}
