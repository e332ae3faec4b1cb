// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/lunar_eclipse.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <initializer_list>

#include "engine/angles.h"
#include "engine/lunar_eclipse_tables.h"
#include "engine/moon.h"
#include "engine/rise_set.h"
#include "engine/text_helpers.h"

namespace {

// Fundamental arguments of the full moon k, radians (Meeus, ch. 54).
struct TEclipseElements {
    double T = 0.0, T2 = 0.0, T3 = 0.0, T4 = 0.0;
    double M = 0.0, Mp = 0.0, F = 0.0, Om = 0.0, E = 0.0;
};

// The time in Julian centuries and its powers, from the lunation k.
TEclipseElements Powers(double k) {
    TEclipseElements el;
    el.T = k / 1236.85;
    el.T2 = el.T * el.T;
    el.T3 = el.T2 * el.T;
    el.T4 = el.T3 * el.T;
    return el;
}

// The Moon's argument of latitude F at the lunation k.
double ArgumentOfLatitude(double k, const TEclipseElements& el) {
    return ReducedRad(160.7108 + 390.67050284 * k - 0.0016118 * el.T2 - 0.00000227 * el.T3 +
                      0.000000011 * el.T4);
}

TEclipseElements Elements(double k) {
    TEclipseElements el = Powers(k);
    el.M = ReducedRad(2.5534 + 29.1053567 * k - 0.0000014 * el.T2 - 0.00000011 * el.T3);
    el.Mp = ReducedRad(201.5643 + 385.81693528 * k + 0.0107582 * el.T2 + 0.00001238 * el.T3 -
                       0.000000058 * el.T4);
    el.F = ArgumentOfLatitude(k, el);
    el.Om = ReducedRad(124.7746 - 1.56375588 * k + 0.0020672 * el.T2 + 0.00000215 * el.T3);
    el.E = 1.0 - 0.002516 * el.T - 0.0000074 * el.T2;
    return el;
}

// Too far from a node for any eclipse (Meeus, ch. 54: |sin F| > 0.36).
bool TooFarFromNode(double argumentOfLatitude) {
    return std::fabs(std::sin(argumentOfLatitude)) > 0.36;
}

// JDE of greatest eclipse: the mean phase plus the terms of the eclipse series.
double GreatestEclipseJDE(double k, const TEclipseElements& el, double f1) {
    const double a1 = DegToRad(299.77 + 0.107408 * k - 0.009173 * el.T2);
    TT tt;
    double jde = MeanPhase(k, tt);
    for (const TEclipseTerm& term : EclipseMaximumTerms) {
        const double arg =
            term.M * el.M + term.Mp * el.Mp + term.F1 * f1 + term.Om * el.Om + term.A1 * a1;
        jde += term.Coefficient * (term.EFactor ? el.E : 1.0) * std::sin(arg);
    }
    return jde;
}

// The minute of the day a contact's clock text shows.
int ShownMinute(double localJD) {
    const TDateRec d = JDToDate(localJD);
    return d.Hour * 60 + d.Minute;
}

bool Circumpolar(const TRiseSetEvent& e) {
    return e.Status == TEventStatus::AlwaysAbove || e.Status == TEventStatus::AlwaysBelow;
}

bool IsFullMoon(double k) {
    return std::fabs(k - std::trunc(k)) == 0.5;
}

// Is the Moon above the horizon at the instant (UT)?
bool MoonUpAt(double jdUT, const TObserver& observer) {
    TSunData sun;
    const TMoonData moon = MoonPosition(jdUT, observer, sun);
    return moon.AltitudeDeg > 0.0;
}

// A rise or set at least this many minutes from each contact, from the other and from the
// day's ends: the fast places' minute then compares with those as the exact one does (they
// differ by at most the minute a rounding edge can move).
constexpr int DecisiveMarginMinutes = 3;

bool ClearOfMargin(int minute, std::initializer_list<int> others) {
    return std::all_of(others.begin(), others.end(), [minute](int other) {
        return std::abs(minute - other) >= DecisiveMarginMinutes;
    });
}

// Do the rise and set from the fast places settle the visibility as the exact ones would?
bool Decisive(const TRiseSetTimes& times, int p1, int p4) {
    if (times.Rise.Status != TEventStatus::Occurs || times.Set.Status != TEventStatus::Occurs)
        return false;
    constexpr int EndOfDay = 24 * 60;
    const int rise = times.Rise.Minute;
    const int set = times.Set.Minute;
    return ClearOfMargin(rise, {0, EndOfDay, p1, p4, set}) &&
           ClearOfMargin(set, {0, EndOfDay, p1, p4});
}

// The visibility from the day's moonrise and moonset. The times from the fast places settle it
// unless a rise or set is missing or lies near a contact, the other or the day's ends; then
// the exact places decide.
TEclipseVisibility VisibilityOf(const EclipseCircumstances& ec, double jdMax,
                                const TObserver& observer) {
    const double p1 = ec.Contacts[ContactP1];
    const double p4 = ec.Contacts[ContactP4];
    const TRiseSetTimes fast = FastMoonRiseSetTimes(ec.MaxDate, observer);
    if (Decisive(fast, ShownMinute(p1), ShownMinute(p4)))
        return EclipseVisibility(fast.Rise, fast.Set, p1, p4, false);
    const TRiseSetTimes riseSet = MoonRiseSetTimes(ec.MaxDate, observer);
    const bool neverRisesOrSets = Circumpolar(riseSet.Rise) && Circumpolar(riseSet.Set);
    return EclipseVisibility(riseSet.Rise, riseSet.Set, p1, p4,
                             neverRisesOrSets && MoonUpAt(jdMax, observer));
}

} // namespace

bool EclipsePossible(double k) {
    return !TooFarFromNode(ArgumentOfLatitude(k, Powers(k)));
}

EclipseCircumstances EclipseCalcs(const TPhaseEntry& entry, int year, const TObserver& observer) {
    EclipseCircumstances ec;
    const double k = entry.K;
    const TEclipseElements el = Elements(k);

    if (TooFarFromNode(el.F)) return ec;

    const double f1 = el.F - DegToRad(0.02665 * std::sin(el.Om));
    const double jdMax = GreatestEclipseJDE(k, el, f1) - DeltaT(year) / 86400.0;

    const double e = el.E;
    const double p = 0.2070 * e * std::sin(el.M) + 0.0024 * e * std::sin(2 * el.M) -
                     0.0392 * std::sin(el.Mp) + 0.0116 * std::sin(2 * el.Mp) -
                     0.0073 * e * std::sin(el.Mp + el.M) + 0.0067 * e * std::sin(el.Mp - el.M) +
                     0.0118 * std::sin(2 * f1);
    const double q = 5.2207 - 0.0048 * e * std::cos(el.M) + 0.0020 * e * std::cos(2 * el.M) -
                     0.3299 * std::cos(el.Mp) - 0.0060 * e * std::cos(el.Mp + el.M) +
                     0.0041 * e * std::cos(el.Mp - el.M);
    const double w = std::fabs(std::cos(f1));
    const double gamma = (p * std::cos(f1) + q * std::sin(f1)) * (1.0 - 0.0048 * w);
    const double u = 0.0059 + 0.0046 * e * std::cos(el.M) - 0.0182 * std::cos(el.Mp) +
                     0.0004 * std::cos(2 * el.Mp) - 0.0005 * std::cos(el.M + el.Mp);
    ec.Gamma = gamma;
    ec.PenRadius = 1.2848 + u;
    ec.UmbRadius = 0.7403 - u;
    ec.PenumbralMag = (1.5573 + u - std::fabs(gamma)) / 0.5450;
    ec.UmbralMag = (1.0128 - u - std::fabs(gamma)) / 0.5450;

    const double h = 1.5573 + u;
    const double pp = 1.0128 - u;
    const double t = 0.4678 - u;
    const double n = 0.5458 + 0.0400 * std::cos(el.Mp);

    if (ec.UmbralMag > 0)
        ec.Type = std::fabs(gamma) < t ? TEclipseType::Total : TEclipseType::Partial;
    else if (ec.PenumbralMag > 0)
        ec.Type = TEclipseType::Penumbral;
    else
        return ec;

    // Semidurations in days.
    auto semiduration = [&](double r) {
        return std::sqrt(r * r - gamma * gamma) * 60.0 / n / 1440.0;
    };
    // Each contact in the civil time in force at its own instant.
    const auto local = [&observer](double ut) { return observer.LocalOf(ut); };

    ec.MaxUT = jdMax;
    ec.Contacts[ContactMax] = local(jdMax);
    ec.MaxDate = JDToDate(ec.Contacts[ContactMax]);
    ec.MaxDate.JD = ec.Contacts[ContactMax];

    const double sPen = semiduration(h);
    ec.Contacts[ContactP1] = local(jdMax - sPen);
    ec.Contacts[ContactP4] = local(jdMax + sPen);

    ec.Visibility = VisibilityOf(ec, jdMax, observer);

    if (ec.Type == TEclipseType::Partial || ec.Type == TEclipseType::Total) {
        const double sPar = semiduration(pp);
        ec.Contacts[ContactU1] = local(jdMax - sPar);
        ec.Contacts[ContactU4] = local(jdMax + sPar);
    }
    if (ec.Type == TEclipseType::Total) {
        const double sTot = semiduration(t);
        ec.Contacts[ContactU2] = local(jdMax - sTot);
        ec.Contacts[ContactU3] = local(jdMax + sTot);
    }
    return ec;
}

std::vector<EclipseCircumstances> MonthEclipses(const TPhaseList& list, int count, int year,
                                                const TObserver& observer) {
    std::vector<EclipseCircumstances> found;
    const int n = std::clamp(count, 0, MaxMonthPhases);
    for (int i = 0; i < n; ++i) {
        const TPhaseEntry& entry = list[static_cast<size_t>(i)];
        if (!IsFullMoon(entry.K)) continue;
        EclipseCircumstances ec = EclipseCalcs(entry, year, observer);
        if (ec.Type != TEclipseType::None) found.push_back(std::move(ec));
    }
    return found;
}

TEclipseVisibility SpellVisibility(int r, int s, int p1, int p4) {
    if (p1 > r && p1 > s) return TEclipseVisibility::NotVisible;       // set before it begins
    if (r > p1 && r > p4) return TEclipseVisibility::NotVisible;       // rises after it has ended
    if (r > p1 && s > p4) return TEclipseVisibility::PartiallyVisible; // rises during it
    if (p1 > r && p4 > s) return TEclipseVisibility::PartiallyVisible; // sets during it
    return TEclipseVisibility::Visible;
}

TEclipseVisibility EclipseVisibility(const TRiseSetEvent& moonRise, const TRiseSetEvent& moonSet,
                                     double penStartLocalJD, double penEndLocalJD, bool moonUp) {
    // A Moon that neither rises nor sets is either up or down the whole day.
    if (Circumpolar(moonRise) && Circumpolar(moonSet))
        return moonUp ? TEclipseVisibility::Visible : TEclipseVisibility::NotVisible;
    constexpr int StartOfDay = 0;
    constexpr int EndOfDay = 23 * 60 + 59;
    const int rise = moonRise.Status == TEventStatus::Occurs ? moonRise.Minute : StartOfDay;
    const int set = moonSet.Status == TEventStatus::Occurs ? moonSet.Minute : EndOfDay;
    const int p1 = ShownMinute(penStartLocalJD);
    const int p4 = ShownMinute(penEndLocalJD);
    if (set < rise) {
        // Up at the start and at the end of the day: try each of the two spells.
        const TEclipseVisibility first = SpellVisibility(StartOfDay, set, p1, p4);
        if (first != TEclipseVisibility::NotVisible) return first;
        return SpellVisibility(rise, EndOfDay, p1, p4);
    }
    return SpellVisibility(rise, set, p1, p4);
}

void FillContactPositions(EclipseCircumstances& eclipse, const TObserver& observer) {
    for (size_t i = 0; i < eclipse.Contacts.size(); ++i) {
        eclipse.MoonLong[i] = 0.0;
        eclipse.MoonLat[i] = 0.0;
        if (eclipse.Contacts[i] == 0.0) continue;
        TSunData sun;
        const TMoonData moon = MoonPosition(eclipse.Contacts[i], observer, sun);
        eclipse.MoonLong[i] = moon.LongitudeRad;
        eclipse.MoonLat[i] = moon.LatitudeRad;
    }
}
