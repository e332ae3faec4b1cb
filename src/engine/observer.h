// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

#include "engine/observer_zone.h"

// A local calendar day, in days after 0h UT of its date: from its local midnight to the next.
// A day on which the clocks change lasts more or less than one.
struct TLocalDaySpan {
    double Start = 0.0;
    double Length = 1.0;
    [[nodiscard]] double End() const { return Start + Length; }
};

// Where and in which civil time the observer stands. Owned by the main window and
// passed by const reference to every routine that needs it.
struct TObserver {
    double ObserverLongitude = 0.0; // radians, positive west of Greenwich
    double ObserverLatitude = 0.0;  // radians, positive north
    TObserverZone Zone;             // the civil time kept: a fixed offset or a named zone

    // Local civil time minus UT at an instant (Julian Day, UT), in days.
    [[nodiscard]] double LocalOffsetDaysAt(double jdUT) const { return Zone.OffsetDaysAt(jdUT); }
    // The instant (Julian Day, UT) at which the local clock reads localJD; a repeated reading
    // is its earlier instant, a skipped one the instant the clocks changed.
    [[nodiscard]] double UTOfLocal(double localJD) const { return Zone.UTOfLocal(localJD); }
    // The same, a repeated reading taken as its instant nearer nearUT.
    [[nodiscard]] double UTOfLocalNear(double localJD, double nearUT) const {
        if (!Zone.IsNamed()) return UTOfLocal(localJD);
        const TLocalToUT early = Zone.LocalToUT(localJD, TLocalChoice::Earliest);
        if (early.Kind != TLocalTimeKind::Repeated) return early.JD;
        const double late = Zone.LocalToUT(localJD, TLocalChoice::Latest).JD;
        return std::fabs(late - nearUT) < std::fabs(early.JD - nearUT) ? late : early.JD;
    }
    // Does the local clock read at this instant (UT) a time it reads twice that night?
    [[nodiscard]] bool InRepeatedHour(double jdUT) const {
        return Zone.IsNamed() &&
               Zone.LocalToUT(LocalOf(jdUT), TLocalChoice::Earliest).Kind == TLocalTimeKind::Repeated;
    }
    // The local day of the date whose 0h, taken as UT, is jd0.
    [[nodiscard]] TLocalDaySpan LocalDayOf(double jd0) const {
        if (!Zone.IsNamed()) return {-LocalOffsetDaysAt(jd0), 1.0};
        const double start = UTOfLocal(jd0) - jd0;
        return {start, UTOfLocal(jd0 + 1.0) - jd0 - start};
    }
    // The local clock's reading (a Julian Day) at an instant (Julian Day, UT).
    [[nodiscard]] double LocalOf(double jdUT) const { return jdUT + LocalOffsetDaysAt(jdUT); }

    friend bool operator==(const TObserver&, const TObserver&) = default;
};
