// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one program state every window reads: the settings, the observer they describe, the
// selected day with the clock's time of day, the clock correction and the data derived from
// the month and the day. The window set owns it and hands it to every window by reference. It
// is changed only through the named operations below; each emits Changed once, saying what
// changed, and a window that shows any of it updates itself from that signal while it is
// visible.
//
//   TProgramState state(settings, clock);
//   connect(&state, &TProgramState::Changed, window, [&](TStateChanges what) {
//       if (what & (TStateChange::Month | TStateChange::Observer)) RebuildMonth();
//   });
//   state.SelectDate(2026, 3, 14);   // emits Day | Month when the month is another
//
// The clock source gives the present instant; the state shows it in the configured time
// zone and daylight saving, whatever zone the computer itself is set to.

#include <vector>

#include <QDateTime>
#include <QFlags>
#include <QObject>

#include "engine/apsides.h"
#include "engine/date_time.h"
#include "engine/lunar_eclipse.h"
#include "engine/observer.h"
#include "engine/phases.h"
#include "engine/rise_set.h"
#include "settings/settings.h"
#include "ui/common/calendar_layout.h"
#include "ui/common/clock_source.h"

enum class TStateChange : unsigned {
    Day = 1,       // another day is selected
    Month = 2,     // another month is shown (its phases, eclipse and layout recomputed)
    Observer = 4,  // position, time zone or daylight saving changed
    Settings = 8,  // any stored setting changed
    Clock = 16,    // the clock correction changed
};
Q_DECLARE_FLAGS(TStateChanges, TStateChange)
Q_DECLARE_OPERATORS_FOR_FLAGS(TStateChanges)

// What follows from the shown month and the observer.
struct TMonthData {
    TMonthLayout Layout;
    TPhaseList Phases;
    int PhaseCount = 0;
    std::vector<EclipseCircumstances> Eclipses; // in order; empty when the month has none
};

// What follows from the selected day and the observer, recomputed whenever another day,
// month or observer is announced.
struct TDayData {
    TDayRiseSet RiseSet;   // the Moon with its illumination, the Sun at each of SunAltitudes
    TNextApsides Apsides;  // the first perigee and apogee after the selected moment
    TNewMoonPair NewMoons; // around the selected day (its local JD compared as UT)
};

class TProgramState : public QObject {
    Q_OBJECT
  public:
    // clock: the present instant (an empty source reads the system clock).
    TProgramState(const TSettings& settings, TClockSource clock, QObject* parent = nullptr);

    [[nodiscard]] const TSettings& Settings() const { return SettingsNow; }
    [[nodiscard]] const TObserver& Observer() const { return ObserverNow; }
    // The selected day with the clock's time of day at the last tick (local civil time).
    [[nodiscard]] const TDateRec& SelectedDate() const { return Selected; }
    // Days added to the clock's time of day to give the displayed moment.
    [[nodiscard]] double ClockOffset() const { return Offset; }
    [[nodiscard]] const TMonthData& Month() const { return MonthNow; }
    [[nodiscard]] const TDayData& Day() const { return DayNow; }
    // The true new moons around the selected day (its local JD compared as UT).
    [[nodiscard]] const TNewMoonPair& NewMoons() const { return DayNow.NewMoons; }
    // The true new moons around a universal instant: the day's pair while it holds the
    // instant, so the age of the Moon runs on across a new moon within the day.
    [[nodiscard]] const TNewMoonPair& NewMoonsAround(double ut) const;
    // The first weekday of the calendar, 0 Sunday .. 6 Saturday.
    [[nodiscard]] int DayOrder() const { return static_cast<int>(SettingsNow.DayOrder); }
    [[nodiscard]] bool Southern() const {
        return SettingsNow.Position.LatitudeSide == THemisphere::Southern;
    }

    // The displayed moment: local civil time as a Julian Day, and universal time.
    [[nodiscard]] double DisplayedJD() const;
    [[nodiscard]] double UniversalTime() const;
    // The present instant, and the same instant as the observer's civil date and time
    // (a QDateTime in UTC whose fields are the civil ones).
    [[nodiscard]] QDateTime UtcNow() const;
    [[nodiscard]] QDateTime CivilNow() const;
    // The present instant as a universal date record.
    [[nodiscard]] TDateRec UniversalNow() const;

    // --- operations ---
    // Selects a day; another month or year also recomputes the month. A day past the
    // month's end selects its last day. Years outside 1..9999 are refused (false).
    bool SelectDate(int year, int month, int day);
    // The clock's time of day taken into the selected day; at displayed midnight the next
    // day is selected. Called by the main window once a second; emits only when the day
    // turns.
    void FollowClock();
    // The displayed time set to h:m:s of the selected day, the clock running on from there.
    void ShiftClockTo(int hour, int minute, int second);
    // The displayed moment set to a local civil instant: its day selected, the clock shifted
    // to its minute (the principal phases of the month).
    void SelectMoment(const TDateRec& localMinute);
    // Back to the present: no clock correction, today's civil date.
    void ReturnToNow();
    // The present civil date selected (after the computer's clock was set), the correction
    // kept.
    void SelectToday();
    // New settings for this run (the caller has stored them). Emits Settings, and Observer
    // and Month when the position, zone, daylight saving or weekday order changed. Another
    // zone or daylight saving keeps the displayed instant and shows it in the new zone: the
    // present moment while the clock follows it, the chosen moment when it was shifted.
    void ApplySettings(const TSettings& settings);

  signals:
    void Changed(TStateChanges what);

  private:
    void TakeTimeOfDay();
    [[nodiscard]] QDateTime CivilAt(const QDateTime& utc) const;
    // The observer replaced; the selected day and time of day moved so that the displayed
    // moment stays the same universal instant.
    void MoveObserverKeepingInstant(const TObserver& observer);
    // Selects a valid day (clamped to the month) without announcing it; says what changed.
    TStateChanges MoveTo(int year, int month, int day);
    void ComputeMonth();
    void ComputeDay();
    void Emit(TStateChanges what);

    TClockSource Clock;
    TSettings SettingsNow;
    TObserver ObserverNow;
    TDateRec Selected;
    double Offset = 0.0;
    TMonthData MonthNow;
    TDayData DayNow;
    // The pair around the last instant asked for outside the day's pair.
    mutable TNewMoonPair NewMoonsOfInstant;
};
