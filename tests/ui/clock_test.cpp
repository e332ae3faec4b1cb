// SPDX-License-Identifier: GPL-3.0-or-later
// Following the clock and the time editor: the displayed midnight with a shifted clock,
// the fields' keys and limits, "Now", and the clock strip.

#include <QSignalSpy>
#include <QTest>

#include "engine/text_helpers.h"
#include "ui/common/art_names.h"
#include "ui/common/artwork.h"
#include "ui/common/clock_time.h"
#include "ui/common/messages.h"
#include "ui/common/program_state.h"
#include "ui/main/clock_editor.h"
#include "ui/main/clock_strip.h"
#include "window_input.h"

namespace {

// Day first, as the clock's dates read.
TDateRec Date(int day, int month, int year, int hour = 0, int minute = 0, int second = 0) {
    return MakeDate(year, month, day, hour, minute, second);
}

QDateTime At(int year, int month, int day, int hour, int minute, int second) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC);
}

class TNoClock final : public TSystemClock {
  public:
    bool SetUniversalTime(const TDateRec&) override { return false; }
};

// A time editor on a stand-in main window over a program state whose clock the test sets
// (in UTC, the default zone); messages collected.
struct TEditorHarness {
    QDateTime Now = At(2026, 12, 7, 14, 0, 0);
    TNoClock System;
    TProgramState State{DefaultSettings(), [this] { return Now; }};
    QWidget Main;
    TTimeEditor Editor{&Main, State, System, 1.0};
    TMessageCapture Messages;
    QSignalSpy Timer{&Editor, &TTimeEditor::TimerEnabled};

    // The selected day, shown at h:m:s while the clock reads 14:00:00.
    TEditorHarness(const TDateRec& day, int h, int m, int s) {
        State.SelectDate(day.Year, day.Month, day.Day);
        State.ShiftClockTo(h, m, s);
        Main.resize(640, 480);
        Main.show();
        Editor.Open();
    }
    [[nodiscard]] bool TimerOn() const { return Timer.last().at(0).toBool(); }
    [[nodiscard]] double Offset() const { return State.ClockOffset(); }
};

} // namespace

class TClockTest : public QObject {
    Q_OBJECT
  private slots:
    void ShiftedClockTurnsTheDayAtDisplayedMidnight();
    void BackwardStepsAndOrdinaryTicksKeepTheDay();
    void DisplayTimeAddsTheOffset();
    void EditorOpensWithTheDisplayedTime();
    void FieldsTakeDigitsOnlyAndPadOnLeaving();
    void HourLimits();
    void NowReturnsToThePresent();
    void ButtonsByPosition();
    void StripCentresItsTexts();
};

void TClockTest::ShiftedClockTurnsTheDayAtDisplayedMidnight() {
    // ClockOffset +1 hour: the display passes midnight when the clock passes 23:00:00.
    const double oneHour = 1.0 / 24;
    TDateRec selected = Date(31, 12, 2025, 22, 59, 58);
    QVERIFY(!GetTime(selected, oneHour, At(2025, 12, 31, 22, 59, 59)));
    QCOMPARE(selected.Day, 31);
    // Displayed midnight (00:00:00) is already the new day's first second.
    QVERIFY(GetTime(selected, oneHour, At(2025, 12, 31, 23, 0, 0)));
    QCOMPARE(selected.Day, 1);
    QCOMPARE(selected.Month, 1);
    QCOMPARE(selected.Year, 2026);
    QCOMPARE(selected.Hour, 23);
    QCOMPARE(selected.Second, 0);
    QCOMPARE(selected.JD, JulianDay(Date(1, 1, 2026, 23, 0, 0)));
    QVERIFY(!GetTime(selected, oneHour, At(2025, 12, 31, 23, 0, 1)));
    QCOMPARE(DisplayTime(selected, oneHour), std::string("00:00:01  01 January 2026"));

    // The rollover applies to whatever day is selected, and follows a negative offset too.
    TDateRec past = Date(28, 2, 2024, 1, 29, 59);
    const double minus90 = -1.5 / 24;
    QVERIFY(!GetTime(past, minus90, At(2026, 12, 7, 1, 29, 58)));
    QVERIFY(GetTime(past, minus90, At(2026, 12, 7, 1, 30, 0)));
    QCOMPARE(past.Day, 29); // 2024 is a leap year
    QCOMPARE(past.Month, 2);

    // Without an offset the day turns at the clock's midnight.
    TDateRec plain = Date(30, 6, 2026, 23, 59, 59);
    QVERIFY(GetTime(plain, 0, At(2026, 7, 1, 0, 0, 0)));
    QCOMPARE(plain.Day, 1);
    QCOMPARE(plain.Month, 7);
}

void TClockTest::BackwardStepsAndOrdinaryTicksKeepTheDay() {
    TDateRec selected = Date(15, 5, 2026, 14, 0, 5);
    // A clock corrected back by a few seconds, or by an hour at the end of summer time.
    QVERIFY(!GetTime(selected, 0, At(2026, 5, 15, 14, 0, 1)));
    QVERIFY(!GetTime(selected, 0, At(2026, 5, 15, 13, 0, 1)));
    QCOMPARE(selected.Day, 15);
    // A day of ticks a second apart turns the day exactly once.
    TDateRec running = Date(15, 5, 2026, 0, 0, 0);
    int turns = 0;
    QDateTime clock = At(2026, 5, 15, 0, 0, 0);
    for (int i = 0; i < 86400 + 10; ++i) {
        clock = clock.addSecs(1);
        turns += GetTime(running, 0.25, clock); // displayed 6 hours ahead
    }
    QCOMPARE(turns, 1);
    QCOMPARE(running.Day, 16);
}

void TClockTest::DisplayTimeAddsTheOffset() {
    const TDateRec date = Date(25, 2, 2023, 12, 34, 56);
    QCOMPARE(DisplayTime(date, 0), std::string("12:34:56  25 February 2023"));
    // The selected day is the displayed day: GetTime moves it at displayed midnight.
    QCOMPARE(DisplayTime(date, 12.0 / 24), std::string("00:34:56  25 February 2023"));
    // 14:00:00 on the clock showing 09:30:15: the offset is −4 h 29 min 45 s.
    QCOMPARE(ClockOffsetFor(9, 30, 15, Date(1, 1, 2026, 14, 0, 0)),
             -(4 * 3600 + 29 * 60 + 45) / 86400.0);
}

void TClockTest::EditorOpensWithTheDisplayedTime() {
    TEditorHarness h(Date(7, 12, 2026), 16, 5, 0); // 2 h 5 min ahead
    QVERIFY(h.Editor.isVisible());
    QCOMPARE(h.Editor.pos(), QPoint(130, 40));
    QCOMPARE(h.Timer.count(), 1);
    QVERIFY(!h.TimerOn()); // the display stands still while editing
    QCOMPARE(Control<QLineEdit>(h.Editor, "txtHour")->text(), QString("16"));
    QCOMPARE(Control<QLineEdit>(h.Editor, "txtMinute")->text(), QString("05"));
    QCOMPARE(Control<QLineEdit>(h.Editor, "txtSecond")->text(), QString("00"));
    QCOMPARE(Control<QLineEdit>(h.Editor, "txtMinute")->geometry(), QRect(41, 3, 21, 19));
    QCOMPARE(Control<QLabel>(h.Editor, "lblColon2")->pos(), QPoint(63, 2));
    const QImage bar = h.Editor.grab().toImage();
    QCOMPARE(bar.pixel(130, 1), LoadArt(ArtTimeEditor).pixel(130, 1));
}

void TClockTest::FieldsTakeDigitsOnlyAndPadOnLeaving() {
    TEditorHarness h(Date(7, 12, 2026), 14, 0, 0);
    QVERIFY(QTest::qWaitForWindowExposed(&h.Main));
    TTimeEditor& editor = h.Editor;
    Control<QLineEdit>(editor, "txtMinute")->setFocus();
    Control<QLineEdit>(editor, "txtMinute")->clear();
    QTest::keyClicks(Control<QLineEdit>(editor, "txtMinute"), "a7-x.");
    QCOMPARE(Control<QLineEdit>(editor, "txtMinute")->text(), QString("7"));
    Control<QLineEdit>(editor, "txtSecond")->setFocus(); // leaving the minute field
    QCOMPARE(Control<QLineEdit>(editor, "txtMinute")->text(), QString("07"));
    Control<QLineEdit>(editor, "txtSecond")->clear();
    Control<QLineEdit>(editor, "txtHour")->setFocus();
    QCOMPARE(Control<QLineEdit>(editor, "txtSecond")->text(), QString("00"));
    QTest::keyClicks(Control<QLineEdit>(editor, "txtHour"), "123"); // at most two characters
    QCOMPARE(Control<QLineEdit>(editor, "txtHour")->text().size(), 2);
    QTest::keyClick(Control<QLineEdit>(editor, "txtHour"), Qt::Key_Backspace);
    QCOMPARE(Control<QLineEdit>(editor, "txtHour")->text().size(), 1);
}

void TClockTest::HourLimits() {
    TEditorHarness h(Date(7, 12, 2026), 17, 0, 0); // 3 hours ahead
    const double threeHours = h.Offset();
    QVERIFY(std::abs(threeHours - 0.125) < 1e-12);
    TTimeEditor& editor = h.Editor;
    const QStringList& messages = h.Messages.Texts;
    Control<QLineEdit>(editor, "txtHour")->setText("24");
    QTest::keyClick(Control<QLineEdit>(editor, "txtHour"), Qt::Key_Return);
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.last().contains("hour") && messages.last().contains("23"),
             qPrintable(messages.last()));
    QCOMPARE(h.Messages.Owners.last(), &h.Main);
    QCOMPARE(h.Offset(), threeHours);
    QVERIFY(editor.isVisible());

    Control<QLineEdit>(editor, "txtMinute")->setText("");
    Control<QLineEdit>(editor, "txtHour")->setText("23");
    QTest::keyClick(Control<QLineEdit>(editor, "txtHour"),
                    Qt::Key_Return); // the empty minute field is refused
    QCOMPARE(messages.size(), 2);
    QCOMPARE(h.Offset(), threeHours);

    Control<QLineEdit>(editor, "txtMinute")->setText("30");
    Control<QLineEdit>(editor, "txtSecond")->setText("15");
    h.Now = At(2026, 12, 7, 14, 0, 5);
    QTest::keyClick(Control<QLineEdit>(editor, "txtSecond"), Qt::Key_Enter);
    QCOMPARE(messages.size(), 2);
    QVERIFY(!editor.isVisible());
    QVERIFY(h.TimerOn());
    // 23:30:15 shown while the clock reads 14:00:05: 9 h 30 min 10 s ahead, same date.
    QVERIFY(std::abs(h.Offset() - (9 * 3600 + 30 * 60 + 10) / 86400.0) < 1e-12);
    QCOMPARE(DisplayTime(h.State.SelectedDate(), h.Offset()),
             std::string("23:30:15  07 December 2026"));
}

void TClockTest::NowReturnsToThePresent() {
    // After a jump to a phase in another month: another day and an offset.
    TEditorHarness h(Date(24, 1, 2027), 6, 48, 0); // 7 h 12 min (0.3 day) behind
    h.Now = At(2026, 12, 7, 21, 14, 7);
    QSignalSpy changed(&h.State, &TProgramState::Changed);
    h.Editor.NowClick();
    QCOMPARE(h.Offset(), 0.0);
    QCOMPARE(h.State.SelectedDate().JD, JulianDay(Date(7, 12, 2026, 21, 14, 7)));
    QCOMPARE(changed.count(), 1);
    const auto what = changed.first().at(0).value<TStateChanges>();
    QVERIFY(what.testFlag(TStateChange::Clock) && what.testFlag(TStateChange::Month));
    QVERIFY(h.TimerOn());
    QVERIFY(!h.Editor.isVisible());
}

void TClockTest::ButtonsByPosition() {
    TEditorHarness h(Date(1, 1, 2027), 18, 48, 0);
    const double shifted = h.Offset();
    QVERIFY(std::abs(shifted - 0.2) < 1e-12);
    QTest::mouseClick(&h.Editor, Qt::LeftButton, {}, QPoint(107, 10)); // just left of "Now"
    QTest::mouseClick(&h.Editor, Qt::LeftButton, {}, QPoint(130, 20)); // below it
    QCOMPARE(h.Offset(), shifted);
    QTest::mouseClick(&h.Editor, Qt::LeftButton, {}, QPoint(152, 4)); // its last column
    QCOMPARE(h.Offset(), 0.0);
}

void TClockTest::StripCentresItsTexts() {
    const QImage strip =
        ComposeClockStrip(LoadArt(ArtClockStrip), ClockStripFont(1.0),
                          "12:00:00  1 May 2026 - Full (Flower) Moon", "LST: 01:02:03");
    QCOMPARE(strip.size(), QSize(640, 25));
    // Navy ink on both parts, centred on 20 + 382/2 and 420 + 200/2.
    auto inkCentre = [&](int from, int to) {
        int first = -1, last = -1;
        for (int x = from; x < to; ++x)
            for (int y = 0; y < 24; ++y)
                if (qBlue(strip.pixel(x, y)) > qRed(strip.pixel(x, y)) + 40) {
                    first = first < 0 ? x : first;
                    last = x;
                }
        return (first + last) / 2;
    };
    QVERIFY(std::abs(inkCentre(0, 410) - 211) <= 3);
    QVERIFY(std::abs(inkCentre(411, 640) - 520) <= 3);
}

QTEST_MAIN(TClockTest)
#include "clock_test.moc"
