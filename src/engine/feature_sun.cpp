#include "engine/feature_sun.h"

#include <algorithm>
#include <cmath>

#include "engine/angles.h"
#include "engine/moon.h"
#include "engine/text_helpers.h"

namespace {

// The Sun over a feature: its altitude in degrees, and whether it is rising.
struct TFeatureSun {
    double AltitudeDeg;
    bool Rising;
};

TFeatureSun SunOverFeature(double latitudeDeg, double longitudeDeg, double jd,
                           const TObserver& observer) {
    TSunData sun;
    const TMoonData moon = MoonPosition(jd, observer, sun);
    const double b0 = moon.SubSolarLatRad;
    const double beta = DegToRad(latitudeDeg);
    const double hourAngle = moon.Colongitude + longitudeDeg;
    // Meeus, ch. 53: sin h = sin b0 sin beta + cos b0 cos beta sin(c0 + lambda); the
    // colongitude grows, so the Sun climbs while cos(c0 + lambda) is positive.
    const double sinH =
        std::sin(beta) * std::sin(b0) + std::cos(beta) * std::cos(b0) * SinDeg(hourAngle);
    return {RadToDeg(std::asin(std::clamp(sinH, -1.0, 1.0))), CosDeg(hourAngle) > 0.0};
}

// Half a synodic month, days: from one kind of event to about the other.
constexpr double HalfLunation = 29.530589 / 2.0;

} // namespace

double FeatureSunAltitude(double latitudeDeg, double longitudeDeg, double jd,
                          const TObserver& observer) {
    return SunOverFeature(latitudeDeg, longitudeDeg, jd, observer).AltitudeDeg;
}

std::optional<double> FeatureSunEvent(int kind, double latitudeDeg, double longitudeDeg, double jd,
                                      const TObserver& observer) {
    const double start = jd;
    const double daily = ColongitudePerDay * CosDeg(latitudeDeg);
    for (int round = 0; round < MaxFeatureRefinements; ++round) {
        const TFeatureSun sun = SunOverFeature(latitudeDeg, longitudeDeg, jd, observer);
        const double h = sun.AltitudeDeg;
        const double g = h / daily;
        const bool rightKind = sun.Rising == (kind == FeatureSunrise);
        // Close to the other kind of event: go on from half a lunation later.
        if (std::fabs(h) < 0.25 && !rightKind) {
            jd += HalfLunation;
            continue;
        }
        jd = kind == FeatureSunrise ? jd - g : jd + g;
        if (!std::isfinite(jd) || std::fabs(jd - start) > MaxFeatureWanderDays) return std::nullopt;
        // Near a pole a small altitude can still mean a long step: settle on both.
        if (std::fabs(h) < 0.25 && std::fabs(g) < MaxFeatureLastStepDays) return jd;
    }
    return std::nullopt;
}

std::optional<TDateRec> NextFeatureSunEvent(int kind, double latitudeDeg, double longitudeDeg,
                                            double startLocalJD, double selectedLocalJD,
                                            const TObserver& observer) {
    // The Moon's position wants Universal Time; the results are shown in local time.
    const double offset = observer.LocalOffsetDays();
    const double selected = selectedLocalJD - offset;
    double start = startLocalJD - offset;
    for (int attempt = 0; attempt < MaxFeatureRestarts; ++attempt, start += 14.0) {
        const std::optional<double> event =
            FeatureSunEvent(kind, latitudeDeg, longitudeDeg, start, observer);
        // An event at the selected moment itself counts as the next one.
        if (event && *event >= selected) {
            TDateRec local = JDToDate(*event + offset);
            local.JD = *event + offset;
            return local;
        }
    }
    return std::nullopt;
}

TFeatureSunTimes FeatureSunTimes(double latitudeDeg, double longitudeDeg, double startLocalJD,
                                 double selectedLocalJD, const TObserver& observer) {
    TFeatureSunTimes times;
    const std::optional<TDateRec> rise = NextFeatureSunEvent(
        FeatureSunrise, latitudeDeg, longitudeDeg, startLocalJD, selectedLocalJD, observer);
    const std::optional<TDateRec> set = NextFeatureSunEvent(
        FeatureSunset, latitudeDeg, longitudeDeg, startLocalJD, selectedLocalJD, observer);
    times.SunriseFound = rise.has_value();
    times.SunsetFound = set.has_value();
    if (rise) times.Sunrise = *rise;
    if (set) times.Sunset = *set;
    times.SunriseText = rise ? DateTimeText(*rise) : FeatureEventNotFound;
    times.SunsetText = set ? DateTimeText(*set) : FeatureEventNotFound;
    return times;
}
