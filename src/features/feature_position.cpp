// SPDX-License-Identifier: GPL-3.0-or-later
#include "features/feature_position.h"

#include <charconv>
#include <cmath>

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

} // namespace

std::optional<double> FeatureAngleDeg(const std::string& deg, const std::string& min,
                                      const std::string& sec) {
    const auto d = WholeNumber(deg), m = WholeNumber(min), s = WholeNumber(sec);
    if (!d || !m || !s || *d < 0 || *m < 0 || *m > 59 || *s < 0 || *s > 59) return std::nullopt;
    return *d + *m / 60.0 + *s / 3600.0;
}

std::optional<double> SignedFeatureAngleDeg(const std::string& deg, const std::string& min,
                                            const std::string& sec, const std::string& side,
                                            const char* negativeSide) {
    const auto angle = FeatureAngleDeg(deg, min, sec);
    if (!angle) return std::nullopt;
    return side == negativeSide ? -*angle : *angle;
}

TFeatureDms FeatureDms(double signedDeg) {
    const long long seconds = std::llround(std::fabs(signedDeg) * 3600.0);
    return {static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
            static_cast<int>(seconds % 60), std::signbit(signedDeg)};
}
