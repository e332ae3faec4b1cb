// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/program_state.h"

#include <algorithm>
#include <cmath>

#include "settings/settings_observer.h"
#include "ui/common/clock_time.h"

namespace {

TDateRec DateFrom(const QDateTime& civil) {
    const QDate d = civil.date();
    const QTime t = civil.time();
    TDateRec date = MakeDate(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
    date.MSec = static_cast<std::uint16_t>(t.msec());
    date.JD = JulianDay(date);
    return date;
}

} // namespace

TProgramState::TProgramState(const TSettings& settings, TClockSource clock, QObject* parent)
    : QObject(parent), Clock(OrSystemClock(std::move(clock))), SettingsNow(settings),
      ObserverNow(ObserverFromSettings(settings)) {
    Selected = DateFrom(CivilNow());
    ComputeMonth();
    ComputeDay();
}

QDateTime TProgramState::UtcNow() const {
    return Clock().toUTC();
}

QDateTime TProgramState::CivilNow() const {
    return CivilAt(UtcNow());
}

QDateTime TProgramState::CivilAt(const QDateTime& utc) const {
    const double jd = JulianDayOfUnixSeconds(utc.toMSecsSinceEpoch() / 1000.0);
    return utc.addSecs(ObserverNow.Zone.StateAt(jd).OffsetSeconds);
}

TDateRec TProgramState::UniversalNow() const {
    return DateFrom(UtcNow());
}

double TProgramState::DisplayedJD() const {
    return ::DisplayedJD(Selected, Offset);
}

double TProgramState::UniversalTime() const {
    return ObserverNow.UTOfLocal(DisplayedJD());
}

void TProgramState::Emit(TStateChanges what) {
    emit Changed(what);
}

void TProgramState::ComputeMonth() {
    MonthNow.Layout = MonthLayout(Selected.Month, Selected.Year, DayOrder());
    MonthNow.PhaseCount = MonthPhases(Selected, ObserverNow, MonthNow.Phases);
    MonthNow.Eclipses =
        MonthEclipses(MonthNow.Phases, MonthNow.PhaseCount, Selected.Year, ObserverNow);
}

void TProgramState::ComputeDay() {
    Selected.JD = JulianDay(Selected);
    const TDateRec day[] = {Selected};
    DayNow.RiseSet = RiseSetDays(day, ObserverNow).front();
    DayNow.Apsides = NextApsides(Selected.JD);
    DayNow.NewMoons = BracketingNewMoons(Selected.JD);
}

namespace {

bool Holds(const TNewMoonPair& pair, double ut) {
    return ut >= pair.PrevNewMoon && ut < pair.NextNewMoon;
}

} // namespace

const TNewMoonPair& TProgramState::NewMoonsAround(double ut) const {
    if (Holds(DayNow.NewMoons, ut)) return DayNow.NewMoons;
    if (!Holds(NewMoonsOfInstant, ut)) NewMoonsOfInstant = BracketingNewMoons(ut);
    return NewMoonsOfInstant;
}

TStateChanges TProgramState::MoveTo(int year, int month, int day) {
    day = ExistingDay(year, month, day);
    const bool newMonth = year != Selected.Year || month != Selected.Month;
    if (!newMonth && day == Selected.Day) return {};
    Selected.Year = static_cast<std::uint16_t>(year);
    Selected.Month = static_cast<std::uint16_t>(month);
    Selected.Day = static_cast<std::uint16_t>(day);
    if (newMonth) ComputeMonth();
    ComputeDay();
    return newMonth ? TStateChange::Day | TStateChange::Month : TStateChanges(TStateChange::Day);
}

bool TProgramState::SelectDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12) return false;
    if (const TStateChanges what = MoveTo(year, month, day)) Emit(what);
    return true;
}

void TProgramState::TakeTimeOfDay() {
    SetTimeOfDay(Selected, CivilNow());
}

void TProgramState::FollowClock() {
    const TDateRec before = Selected;
    if (!GetTime(Selected, Offset, CivilNow())) return;
    const bool newMonth = before.Month != Selected.Month || before.Year != Selected.Year;
    if (newMonth) ComputeMonth();
    ComputeDay();
    Emit(newMonth ? TStateChange::Day | TStateChange::Month : TStateChanges(TStateChange::Day));
}

void TProgramState::ShiftClockTo(int hour, int minute, int second) {
    TakeTimeOfDay();
    Offset = ClockOffsetFor(hour, minute, second, Selected);
    Emit(TStateChange::Clock);
}

void TProgramState::SelectMoment(const TDateRec& localMinute) {
    if (localMinute.Year < 1 || localMinute.Year > 9999 || localMinute.Month < 1 ||
        localMinute.Month > 12)
        return;
    TakeTimeOfDay();
    Offset = ((localMinute.Hour - Selected.Hour) * 60.0 + localMinute.Minute - Selected.Minute) /
             1440.0;
    Emit(TStateChange::Clock | MoveTo(localMinute.Year, localMinute.Month, localMinute.Day));
}

void TProgramState::ReturnToNow() {
    Offset = 0.0;
    TakeTimeOfDay();
    const TDateRec today = DateFrom(CivilNow());
    Emit(TStateChange::Clock | MoveTo(today.Year, today.Month, today.Day));
}

void TProgramState::SelectToday() {
    const TDateRec today = DateFrom(CivilNow());
    if (const TStateChanges what = MoveTo(today.Year, today.Month, today.Day)) Emit(what);
}

void TProgramState::MoveObserverKeepingInstant(const TObserver& observer) {
    // One reading of the clock for both zones, so the two civil times are the same instant.
    const QDateTime utc = UtcNow();
    (void)GetTime(Selected, Offset, CivilAt(utc)); // the displayed moment brought up to now
    const double universal = UniversalTime();
    ObserverNow = observer;
    SetTimeOfDay(Selected, CivilAt(utc));
    // The day on which the new zone's clock time, shifted by the correction, shows the same
    // instant: the displayed moment's local midnight.
    const double local = ObserverNow.LocalOf(universal);
    const double midnight =
        std::round(local - DisplayedSecondOfDay(Selected, Offset) / SecondsPerDay - 0.5) + 0.5;
    const TDateRec day = JDToDate(midnight + 0.25);
    if (day.Year < 1 || day.Year > 9999) return;
    Selected.Year = day.Year;
    Selected.Month = day.Month;
    Selected.Day = day.Day;
}

void TProgramState::ApplySettings(const TSettings& settings) {
    const TObserver observer = ObserverFromSettings(settings);
    const bool observerChanged = observer != ObserverNow;
    const bool layoutChanged = settings.DayOrder != SettingsNow.DayOrder ||
                               settings.Position.LatitudeSide != SettingsNow.Position.LatitudeSide;
    SettingsNow = settings;
    const TDateRec before = Selected;
    if (observerChanged) MoveObserverKeepingInstant(observer);
    ObserverNow = observer;
    TStateChanges what = TStateChange::Settings;
    if (before.Day != Selected.Day || before.Month != Selected.Month ||
        before.Year != Selected.Year)
        what |= TStateChange::Day;
    if (observerChanged || layoutChanged) {
        // The civil day may differ in the new zone; the month's phases and layout follow.
        ComputeMonth();
        ComputeDay();
        what |= TStateChange::Month;
        if (observerChanged) what |= TStateChange::Observer;
    }
    Emit(what);
}
