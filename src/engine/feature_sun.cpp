// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/feature_sun.h"

#include <algorithm>
#include <cmath>

#include "engine/angles.h"
#include "engine/moon.h"

namespace {

// Half a synodic month, days: from one kind of event to about the other.
constexpr double HalfLunation = 29.530589 / 2.0;

// Points of the interpolation formula, and the grid instants before the one at or below the
// instant asked for.
constexpr int LagrangePoints = 8;
constexpr int LagrangeBefore = 3;

// Lagrange's interpolation formula (Meeus, ch. 3) over LagrangePoints equally spaced values,
// at p, counted in steps from the first of them. At a grid instant the weights are exactly 1
// and 0, so there the value is the computed one itself.
double Lagrange(const double* values, double p) {
    double sum = 0.0;
    for (int j = 0; j < LagrangePoints; ++j) {
        double weight = 1.0;
        for (int m = 0; m < LagrangePoints; ++m)
            if (m != j) weight *= (p - m) / (j - m);
        sum += weight * values[j];
    }
    return sum;
}

// The first event of the kind the refinement settles on from jd (UT), the Sun's place from
// sunAt(jd).
template <typename SunAt>
std::optional<double> SunEventFrom(TFeatureSunEvent kind, double latitudeDeg, double longitudeDeg,
                                   double jd, SunAt&& sunAt) {
    const double start = jd;
    const double daily = ColongitudePerDay * CosDeg(latitudeDeg);
    for (int round = 0; round < MaxFeatureRefinements; ++round) {
        const TFeatureSun sun = SunOverFeature(sunAt(jd), latitudeDeg, longitudeDeg);
        const double h = sun.AltitudeDeg;
        const double g = h / daily;
        const bool rightKind = sun.Rising == (kind == TFeatureSunEvent::Sunrise);
        // Close to the other kind of event: go on from half a lunation later.
        if (std::fabs(h) < 0.25 && !rightKind) {
            jd += HalfLunation;
            continue;
        }
        jd = kind == TFeatureSunEvent::Sunrise ? jd - g : jd + g;
        if (!std::isfinite(jd) || std::fabs(jd - start) > MaxFeatureWanderDays) return std::nullopt;
        // Near a pole a small altitude can still mean a long step: settle on both.
        if (std::fabs(h) < 0.25 && std::fabs(g) < MaxFeatureLastStepDays) return jd;
    }
    return std::nullopt;
}

template <typename SunAt>
std::optional<TDateRec> NextSunEventFrom(TFeatureSunEvent kind, double latitudeDeg,
                                         double longitudeDeg, double startLocalJD,
                                         double selectedLocalJD, const TObserver& observer,
                                         SunAt&& sunAt) {
    // The Moon's position wants Universal Time; the results are shown in local time.
    const double selected = observer.UTOfLocal(selectedLocalJD);
    double start = observer.UTOfLocal(startLocalJD);
    for (int attempt = 0; attempt < MaxFeatureRestarts; ++attempt, start += 14.0) {
        const std::optional<double> event =
            SunEventFrom(kind, latitudeDeg, longitudeDeg, start, sunAt);
        // An event at the selected moment itself counts as the next one.
        if (event && *event >= selected) {
            TDateRec local = JDToDate(observer.LocalOf(*event));
            if (local.Year > LastCalendarYear) return std::nullopt; // past the calendar's end
            local.JD = observer.LocalOf(*event);
            return local;
        }
    }
    return std::nullopt;
}

template <typename SunAt>
TFeatureSunTimes SunTimesFrom(double latitudeDeg, double longitudeDeg, double startLocalJD,
                              double selectedLocalJD, const TObserver& observer, SunAt&& sunAt) {
    TFeatureSunTimes times;
    times.Sunrise = NextSunEventFrom(TFeatureSunEvent::Sunrise, latitudeDeg, longitudeDeg,
                                     startLocalJD, selectedLocalJD, observer, sunAt);
    times.Sunset = NextSunEventFrom(TFeatureSunEvent::Sunset, latitudeDeg, longitudeDeg,
                                    startLocalJD, selectedLocalJD, observer, sunAt);
    return times;
}

} // namespace

TSubSolarPoint SubSolarPoint(double jd, const TObserver& observer) {
    TSunData sun;
    const TMoonData moon = MoonPosition(jd, observer, sun);
    return {moon.ColongitudeDeg, moon.SubSolarLatRad};
}

TFeatureSun SunOverFeature(const TSubSolarPoint& sun, double latitudeDeg, double longitudeDeg) {
    const double b0 = sun.LatitudeRad;
    const double beta = DegToRad(latitudeDeg);
    const double hourAngle = sun.ColongitudeDeg + longitudeDeg;
    // Meeus, ch. 53: sin h = sin b0 sin beta + cos b0 cos beta sin(c0 + lambda); the
    // colongitude grows, so the Sun climbs while cos(c0 + lambda) is positive.
    const double sinH =
        std::sin(beta) * std::sin(b0) + std::cos(beta) * std::cos(b0) * SinDeg(hourAngle);
    return {RadToDeg(std::asin(std::clamp(sinH, -1.0, 1.0))), CosDeg(hourAngle) > 0.0};
}

TSubSolarTrack::TSubSolarTrack(double originJD, const TObserver& observer)
    : Origin(originJD), OriginColongitude(SubSolarPoint(originJD, observer).ColongitudeDeg),
      Place(observer),
      Nodes(static_cast<std::size_t>((MinSubSolarDays + MaxSubSolarDays) / SubSolarStepDays) + 1) {}

const TSubSolarTrack::TNode& TSubSolarTrack::Node(int index) {
    TNode& node = Nodes[static_cast<std::size_t>(index)];
    if (!node.Filled) {
        const double dt = (index * SubSolarStepDays) - MinSubSolarDays;
        const TSubSolarPoint at = SubSolarPoint(Origin + dt, Place);
        // Unwrapped against the mean motion from the origin: the true colongitude departs
        // from it by a few degrees only, far from the half turn that would be ambiguous.
        const double mean = OriginColongitude + ColongitudePerDay * dt;
        node.ColongitudeDeg = mean + std::remainder(at.ColongitudeDeg - mean, 360.0);
        node.LatitudeRad = at.LatitudeRad;
        node.Filled = true;
        ++Computed;
    }
    return node;
}

TSubSolarPoint TSubSolarTrack::At(double jd) {
    const double x = (jd - Origin + MinSubSolarDays) / SubSolarStepDays;
    const double below = std::floor(x);
    const int last = static_cast<int>(Nodes.size()) - LagrangePoints;
    if (!std::isfinite(below) || below - LagrangeBefore < 0 || below - LagrangeBefore > last)
        return SubSolarPoint(jd, Place);
    const int first = static_cast<int>(below) - LagrangeBefore;
    double colongitude[LagrangePoints];
    double latitude[LagrangePoints];
    for (int j = 0; j < LagrangePoints; ++j) {
        const TNode& node = Node(first + j);
        colongitude[j] = node.ColongitudeDeg;
        latitude[j] = node.LatitudeRad;
    }
    const double p = x - first;
    return {Lagrange(colongitude, p), Lagrange(latitude, p)};
}

double FeatureSunAltitude(double latitudeDeg, double longitudeDeg, double jd,
                          const TObserver& observer) {
    return SunOverFeature(SubSolarPoint(jd, observer), latitudeDeg, longitudeDeg).AltitudeDeg;
}

std::optional<double> FeatureSunEvent(TFeatureSunEvent kind, double latitudeDeg,
                                      double longitudeDeg, double jd, const TObserver& observer) {
    return SunEventFrom(kind, latitudeDeg, longitudeDeg, jd,
                        [&observer](double t) { return SubSolarPoint(t, observer); });
}

std::optional<double> FeatureSunEvent(TFeatureSunEvent kind, double latitudeDeg,
                                      double longitudeDeg, double jd, TSubSolarTrack& track) {
    return SunEventFrom(kind, latitudeDeg, longitudeDeg, jd,
                        [&track](double t) { return track.At(t); });
}

std::optional<TDateRec> NextFeatureSunEvent(TFeatureSunEvent kind, double latitudeDeg,
                                            double longitudeDeg, double startLocalJD,
                                            double selectedLocalJD, const TObserver& observer) {
    return NextSunEventFrom(kind, latitudeDeg, longitudeDeg, startLocalJD, selectedLocalJD,
                            observer, [&observer](double t) { return SubSolarPoint(t, observer); });
}

std::optional<TDateRec> NextFeatureSunEvent(TFeatureSunEvent kind, double latitudeDeg,
                                            double longitudeDeg, double startLocalJD,
                                            double selectedLocalJD, TSubSolarTrack& track) {
    return NextSunEventFrom(kind, latitudeDeg, longitudeDeg, startLocalJD, selectedLocalJD,
                            track.Observer(), [&track](double t) { return track.At(t); });
}

TFeatureSunTimes FeatureSunTimes(double latitudeDeg, double longitudeDeg, double startLocalJD,
                                 double selectedLocalJD, const TObserver& observer) {
    return SunTimesFrom(latitudeDeg, longitudeDeg, startLocalJD, selectedLocalJD, observer,
                        [&observer](double t) { return SubSolarPoint(t, observer); });
}

TFeatureSunTimes FeatureSunTimes(double latitudeDeg, double longitudeDeg, double startLocalJD,
                                 double selectedLocalJD, TSubSolarTrack& track) {
    return SunTimesFrom(latitudeDeg, longitudeDeg, startLocalJD, selectedLocalJD, track.Observer(),
                        [&track](double t) { return track.At(t); });
}
