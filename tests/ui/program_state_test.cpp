// SPDX-License-Identifier: GPL-3.0-or-later
// The one program state: every named change is announced once, saying what changed, and
// both the main window and any other window see it; the clock is shown in the configured
// zone whatever zone the computer or the clock's reading is in.

#include <cstdlib>
#include <ctime>

#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>

#include "engine/apsides.h"
#include "engine/rise_set.h"
#include "tmain_fixture.h"

namespace {

// Another window: it knows only the state and keeps what it was told.
class TListener : public QLabel {
  public:
    explicit TListener(const TProgramState& state) {
        connect(&state, &TProgramState::Changed, this, [this, &state](TStateChanges what) {
            Heard |= what;
            const TDateRec& day = state.SelectedDate();
            setText(QStringLiteral("%1-%2-%3 %4")
                        .arg(day.Year)
                        .arg(day.Month)
                        .arg(day.Day)
                        .arg(state.Observer().LocalOffsetDaysAt(state.UniversalTime()) * 1440.0));
        });
    }
    TStateChanges Heard;
};

// What the one announcement since the last call said; -1 when there was none or several.
int Only(QSignalSpy& spy) {
    if (spy.count() != 1) return -1;
    return int(spy.takeFirst().at(0).value<TStateChanges>());
}

int Flags(TStateChanges what) {
    return int(what);
}

} // namespace

class TProgramStateTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void EveryChangeAnnouncedOnce();
    void ClockShownInTheConfiguredZone();
    void AnotherZoneKeepsTheInstant();
    void MonthKeepsEveryEclipse();
    void DayDataFollowsTheDayAndTheObserver();
};

void TProgramStateTest::initTestCase() {
    // The computer on UTC: a program that shows the computer's zone shows the wrong time.
    qputenv("TZ", "UTC");
    tzset();
}

void TProgramStateTest::EveryChangeAnnouncedOnce() {
    TMainHarness h(At(2026, 12, 7, 20, 15, 40));
    TMain& m = *h.Main;
    m.show(); // the display timer runs: changes show at once, not a second later
    QVERIFY(QTest::qWaitForWindowExposed(&m));
    TListener other(*h.State);
    QSignalSpy spy(h.State, &TProgramState::Changed);
    QLabel* month = h.Label("lblSelectedmonth");
    QLabel* sunrise = h.Label("lblSunRise");
    const QString decemberSunrise = sunrise->text();

    // Another month.
    QVERIFY(h.State->SelectDate(2027, 3, 14));
    QCOMPARE(Only(spy), Flags(TStateChange::Day | TStateChange::Month));
    QCOMPARE(month->text(), QString("March"));
    QCOMPARE(h.Label("lblSelectedYear")->text(), QString("2027"));
    QVERIFY2(h.StripText().startsWith("20:15:40  14 March 2027"), qPrintable(h.StripText()));
    QVERIFY(sunrise->text() != decemberSunrise);
    QCOMPARE(other.text(), QString("2027-3-14 0"));
    // Another day of it; the same day again changes nothing; a year out of range is refused.
    QVERIFY(h.State->SelectDate(2027, 3, 20));
    QCOMPARE(Only(spy), Flags(TStateChange::Day));
    QVERIFY(h.StripText().startsWith("20:15:40  20 March 2027"));
    QVERIFY(h.State->SelectDate(2027, 3, 20));
    QVERIFY(!h.State->SelectDate(10000, 1, 1));
    QCOMPARE(spy.count(), 0);

    // The clock shifted.
    h.State->ShiftClockTo(3, 4, 5);
    QCOMPARE(Only(spy), Flags(TStateChange::Clock));
    QVERIFY2(h.StripText().startsWith("03:04:05  20 March 2027"), qPrintable(h.StripText()));

    // A click on a principal phase of another day: its day and its minute.
    QLabel* phase = h.Label("lblPhase1");
    const QString caption = phase->text(); // "HH:MM  DD Month YYYY"
    QVERIFY(caption.mid(7, 2).toInt() != 20);
    TMainHarness::Click(phase);
    QCOMPARE(Only(spy), Flags(TStateChange::Clock | TStateChange::Day));
    QCOMPARE(int(h.Selected().Day), caption.mid(7, 2).toInt());
    QVERIFY2(h.StripText().startsWith(caption.left(5)), qPrintable(h.StripText()));
    QCOMPARE(m.Calendar().HighlightPos(),
             QPoint(h.DayCell(h.Selected().Day)->x() - 1, h.DayCell(h.Selected().Day)->y() - 3));
    QCOMPARE(other.text(), QStringLiteral("2027-3-%1 0").arg(h.Selected().Day));

    // Another observer: Sydney, ten hours ahead. The Sun and the Moon rise at other times.
    const QString moonRows = h.Label("lblMoonValue1")->text() + h.Label("lblMoonValue2")->text();
    const QString marchSunrise = sunrise->text();
    h.ChangeSettings([](TSettings& s) {
        s.Position = {{33, 52, 0}, THemisphere::Southern, {151, 12, 0}, TLongitudeSide::East};
        s.TimeZone = 44;
    });
    QCOMPARE(Only(spy),
             Flags(TStateChange::Settings | TStateChange::Observer | TStateChange::Month));
    QVERIFY(sunrise->text() != marchSunrise);
    QVERIFY(h.Label("lblMoonValue1")->text() + h.Label("lblMoonValue2")->text() != moonRows);
    QCOMPARE(other.text().section(' ', 1), QString("600"));
    QVERIFY(other.Heard.testFlag(TStateChange::Observer));
    // A setting that is no part of the observer or the calendar: only Settings.
    h.ChangeSettings([](TSettings& s) { s.PrinterType = TPrinterType::ColourInkjet; });
    QCOMPARE(Only(spy), Flags(TStateChange::Settings));
    QCOMPARE(month->text(), QString("March"));
}

void TProgramStateTest::ClockShownInTheConfiguredZone() {
    // 20:15:40 UT on 7 December 2026 is 06:15:40 on 8 December in Sydney (UT + 10 h) and
    // 07:15:40 with daylight saving.
    const QDateTime utc = At(2026, 12, 7, 20, 15, 40);
    const QDateTime karachi = utc.toTimeZone(QTimeZone(5 * 3600)); // the same instant
    QCOMPARE(karachi.time(), QTime(1, 15, 40));
    const struct {
        TSeed Seed;
        const char* Shown;
    } cases[] = {
        {Seed({{"TimeZone", "44"}}), "06:15:40  08 December 2026"},
        {Seed({{"TimeZone", "44"}, {"DaylightSavings", "True"}}), "07:15:40  08 December 2026"},
        {TSeed(), "20:15:40  07 December 2026"},
    };
    for (const auto& c : cases) {
        TMainHarness h(utc, c.Seed);
        h.Main->Tick();
        QVERIFY2(h.StripText().startsWith(c.Shown), qPrintable(h.StripText()));
        h.Now = karachi;
        h.Main->Tick();
        QVERIFY2(h.StripText().startsWith(c.Shown), qPrintable(h.StripText()));
        QCOMPARE(h.Label("lblSelectedmonth")->text(), QString("December"));
        QCOMPARE(int(h.Selected().Day), QString(c.Shown).mid(10, 2).toInt());
    }
}

void TProgramStateTest::AnotherZoneKeepsTheInstant() {
    // Zone 44 is UT + 10 h (Sydney), zone 14 with daylight saving UT - 4 h (New York). A
    // shifted case first chooses 02:30:00 in the time editor: that instant is kept.
    const QDateTime dec7 = At(2026, 12, 7, 19, 48, 49), nov30 = At(2026, 11, 30, 20, 15, 40);
    const struct {
        QDateTime Utc;
        bool FromSydney, Shifted;
        const char *Before, *After;
    } cases[] = {
        {dec7, true, false, "05:48:49  08 December 2026", "15:48:49  07 December 2026"},
        {dec7, false, false, "15:48:49  07 December 2026", "05:48:49  08 December 2026"},
        {nov30, true, false, "06:15:40  01 December 2026", "16:15:40  30 November 2026"},
        {nov30, false, false, "16:15:40  30 November 2026", "06:15:40  01 December 2026"},
        {nov30, true, true, "02:30:00  01 December 2026", "12:30:00  30 November 2026"},
        {nov30, false, true, "02:30:00  30 November 2026", "16:30:00  30 November 2026"},
    };
    for (const auto& c : cases) {
        TMainHarness h(c.Utc);
        for (const bool sydney : {c.FromSydney, !c.FromSydney}) {
            h.ChangeSettings([sydney](TSettings& s) {
                s.TimeZone = sydney ? 44 : 14;
                s.DaylightSavings = !sydney;
            });
            if (sydney == c.FromSydney) {
                h.State->ReturnToNow();
                if (c.Shifted) h.State->ShiftClockTo(2, 30, 0);
            }
            h.Main->Tick();
            const QString shown = sydney == c.FromSydney ? c.Before : c.After;
            QVERIFY2(h.StripText().startsWith(shown), qPrintable(h.StripText()));
            QCOMPARE(h.Label("lblSelectedmonth")->text(), shown.section(' ', 3, 3));
        }
    }
}

// March 1904 has two lunar eclipses (2 and 31 March); April 1904 has none.
void TProgramStateTest::MonthKeepsEveryEclipse() {
    TMainHarness h(At(1904, 3, 10, 12));
    QCOMPARE(h.State->Month().Eclipses.size(), 2u); // not only the first
    QVERIFY(h.State->SelectDate(1904, 4, 10));
    QVERIFY(h.State->Month().Eclipses.empty());
}

// Each change is announced once, and the state's day data is then the engine's for the day
// and place selected: the Moon's and the Sun's times, the next apsides, the new moons.
void TProgramStateTest::DayDataFollowsTheDayAndTheObserver() {
    TMainHarness h(At(2026, 12, 7, 20, 15, 40));
    using S = TStateChange;
    const std::pair<std::function<void()>, TStateChanges> cases[] = {
        {[&] { h.State->SelectDate(2027, 3, 14); }, S::Day | S::Month},
        {[&] { h.State->SelectDate(2027, 3, 20); }, S::Day},
        // Sydney, ten hours ahead, where the displayed moment falls on 21 March.
        {[&] {
             h.ChangeSettings([](TSettings& s) {
                 s.Position = {
                     {33, 52, 0}, THemisphere::Southern, {151, 12, 0}, TLongitudeSide::East};
                 s.TimeZone = 44;
             });
         },
         S::Settings | S::Observer | S::Day | S::Month},
        {[&] { h.State->ReturnToNow(); }, S::Clock | S::Day | S::Month},
        {[&] { // midnight passes there
             h.Now = At(2026, 12, 8, 13, 59, 50);
             h.State->FollowClock();
             h.Now = h.Now.addSecs(20);
             h.State->FollowClock();
         },
         S::Day},
    };
    auto same = [](const TRiseSetTimes& a, const TRiseSetTimes& b) {
        return a.Rise.LocalJD == b.Rise.LocalJD && a.Transit.LocalJD == b.Transit.LocalJD &&
               a.Set.LocalJD == b.Set.LocalJD && a.Rise.Status == b.Rise.Status &&
               a.Set.Status == b.Set.Status;
    };
    for (const auto& [change, announced] : cases) {
        QSignalSpy spy(h.State, &TProgramState::Changed);
        change();
        QCOMPARE(Only(spy), Flags(announced));
        const TDateRec& day = h.State->SelectedDate();
        const TDayData& data = h.State->Day();
        const TObserver& o = h.State->Observer();
        QVERIFY(same(data.RiseSet.Moon.Events, MoonRiseSet(day, o).Events));
        for (size_t k = 0; k < SunAltitudes.size(); ++k)
            QVERIFY(same(data.RiseSet.Sun[k], SunRiseSet(day, SunAltitudes[k], o)));
        QCOMPARE(data.Apsides.Perigee.JDE, NextApsides(day.JD).Perigee.JDE);
        for (const double ut : {h.State->UniversalTime(), h.State->UniversalTime() + 20.0}) {
            const TNewMoonPair& m = h.State->NewMoonsAround(ut);
            QVERIFY(m.PrevNewMoon <= ut && ut < m.NextNewMoon && ut - m.PrevNewMoon < 30);
        }
    }
}

QTEST_MAIN(TProgramStateTest)
#include "program_state_test.moc"
