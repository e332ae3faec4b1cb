// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <vector>

#include "engine/date_time.h"
#include "engine/observer.h"

// Kinds of event over a lunar feature.
enum class TFeatureSunEvent { Sunrise, Sunset };

// Mean daily advance of the Sun's selenographic colongitude: 360 degrees per synodic month.
inline constexpr double ColongitudePerDay = 12.19075;

// Rounds of the refinement of one event, restarts of the search for the next one, and the
// farthest (days) the refinement may wander from its starting point, before giving up.
inline constexpr int MaxFeatureRefinements = 30;
inline constexpr int MaxFeatureRestarts = 12;
inline constexpr double MaxFeatureWanderDays = 45.0;
// The refinement ends when the altitude is within 0.25 degree of the horizon and the step it
// gives is below this (days); the step alone matters only near the poles.
inline constexpr double MaxFeatureLastStepDays = 0.1;

// The next lunar sunrise and sunset over a feature, local civil time: Day..Second as JDToDate
// fills them, JD the local civil JD. Nothing where none was found (near a lunar pole the Sun
// can stay on one side of the horizon for months).
struct [[nodiscard]] TFeatureSunTimes {
    std::optional<TDateRec> Sunrise;
    std::optional<TDateRec> Sunset;
};

// The Sun's selenographic position at an instant (Meeus, ch. 53). It is the same for every
// feature, so a listing computes it once per instant.
struct [[nodiscard]] TSubSolarPoint {
    double ColongitudeDeg = 0.0; // the Sun's selenographic colongitude
    double LatitudeRad = 0.0;    // the Sun's selenographic latitude
};

// The subsolar point at an instant (UT JD), exactly as MoonPosition gives it.
[[nodiscard]] TSubSolarPoint SubSolarPoint(double jd, const TObserver& observer);

// The Sun over a feature: its altitude above the feature's horizon, and whether it is climbing
// (morning terminator) or sinking (evening terminator).
struct [[nodiscard]] TFeatureSun {
    double AltitudeDeg = 0.0;
    bool Rising = false;
};
[[nodiscard]] TFeatureSun SunOverFeature(const TSubSolarPoint& sun, double latitudeDeg,
                                         double longitudeDeg);

// Grid of the subsolar track: one instant every SubSolarStepDays from MinSubSolarDays before
// the track's origin to MaxSubSolarDays after it.
inline constexpr double SubSolarStepDays = 0.25;
inline constexpr double MinSubSolarDays = 64.0;
inline constexpr double MaxSubSolarDays = 256.0;

// The subsolar point over the weeks a listing of features searches, worked out once at the
// instants of a shared grid and interpolated between them (eight-point Lagrange formula,
// Meeus, ch. 3), so that a thousand features searched over the same month cost one physical
// ephemeris per grid instant instead of one per step of every search. The colongitude moves
// smoothly (its departures from the mean rate have periods of weeks and more), so the
// interpolated point agrees with the computed one far below a second of time. Grid instants
// are computed when first needed; an instant outside the grid is computed directly.
class TSubSolarTrack {
  public:
    TSubSolarTrack(double originJD, const TObserver& observer);

    [[nodiscard]] TSubSolarPoint At(double jd);
    [[nodiscard]] const TObserver& Observer() const { return Place; }
    // Grid instants computed so far.
    [[nodiscard]] int ComputedInstants() const { return Computed; }

  private:
    struct TNode {
        double ColongitudeDeg = 0.0; // unwrapped: continuous across 360 degrees
        double LatitudeRad = 0.0;
        bool Filled = false;
    };
    const TNode& Node(int index);

    double Origin;
    double OriginColongitude;
    TObserver Place;
    std::vector<TNode> Nodes;
    int Computed = 0;
};

// The instant (UT JD) of the sunrise or sunset over the feature at
// selenographic latitude and longitude (degrees, north and east positive) nearest to jd (UT),
// refined against the Sun's altitude over the feature (Meeus, Astronomical Algorithms,
// ch. 53). Nothing when the refinement does not settle within its bounds.
[[nodiscard]] std::optional<double> FeatureSunEvent(TFeatureSunEvent kind, double latitudeDeg,
                                                    double longitudeDeg, double jd,
                                                    const TObserver& observer);
// The same, the Sun's selenographic place taken from a shared track.
[[nodiscard]] std::optional<double> FeatureSunEvent(TFeatureSunEvent kind, double latitudeDeg,
                                                    double longitudeDeg, double jd,
                                                    TSubSolarTrack& track);

// The first event of the kind at or after the selected moment, searched from startLocalJD and
// restarted 14 days later while the event found lies before the selected moment. Both
// moments are local civil JDs; the result is local civil time (its JD the local civil JD).
// Nothing when not found.
[[nodiscard]] std::optional<TDateRec> NextFeatureSunEvent(TFeatureSunEvent kind, double latitudeDeg,
                                                          double longitudeDeg, double startLocalJD,
                                                          double selectedLocalJD,
                                                          const TObserver& observer);
[[nodiscard]] std::optional<TDateRec> NextFeatureSunEvent(TFeatureSunEvent kind, double latitudeDeg,
                                                          double longitudeDeg, double startLocalJD,
                                                          double selectedLocalJD,
                                                          TSubSolarTrack& track);

// The next sunrise and sunset over a feature after the selected moment (local civil JD),
// searched from startLocalJD (the first day of the month shown, at the selected time of day).
[[nodiscard]] TFeatureSunTimes FeatureSunTimes(double latitudeDeg, double longitudeDeg,
                                               double startLocalJD, double selectedLocalJD,
                                               const TObserver& observer);
[[nodiscard]] TFeatureSunTimes FeatureSunTimes(double latitudeDeg, double longitudeDeg,
                                               double startLocalJD, double selectedLocalJD,
                                               TSubSolarTrack& track);

// The Sun's altitude over a feature, degrees, at an instant (UT JD).
[[nodiscard]] double FeatureSunAltitude(double latitudeDeg, double longitudeDeg, double jd,
                                        const TObserver& observer);
