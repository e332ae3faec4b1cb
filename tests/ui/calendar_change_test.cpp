// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's month grid where the calendar changed: October 1582 goes from Thursday 4
// (Julian) to Friday 15 (Gregorian), and February 1500 has a 29th (a Julian leap year).

#include <QTest>

#include "engine/date_time.h"
#include "tmain_fixture.h"

namespace {

// Cell i of the 42 (row by row), by its name: row letter then column letter.
QLabel* Cell(const TMainHarness& h, int i) {
    return h.Label(QStringLiteral("lblDate%1%2").arg(QChar('A' + i / 7)).arg(QChar('A' + i % 7)));
}

} // namespace

class TCalendarChangeTest : public QObject {
    Q_OBJECT
  private slots:
    void OctoberGridLeavesTheTenDaysOut();
    void ClicksAcrossTheChangeSelectConsecutiveDays();
    void JulianLeapDayInTheGrid();
};

void TCalendarChangeTest::OctoberGridLeavesTheTenDaysOut() {
    TMainHarness h(At(2026, 12, 7));
    h.ChangeSettings([](TSettings& s) { s.DayOrder = TWeekday::Sunday; }); // Sunday first
    QVERIFY(h.State->SelectDate(1582, 10, 1));
    // 1 October 1582 was a Monday: one blank, then 1..4 up to the Thursday column, 15 on
    // the Friday beside it, and 31 ten cells earlier than in a month of 31 days.
    const QStringList expected = {" ",  "1",  "2",  "3",  "4",  "15", "16", "17", "18",
                                  "19", "20", "21", "22", "23", "24", "25", "26", "27",
                                  "28", "29", "30", "31", " ",  " ",  " ",  " ",  " "};
    for (int i = 0; i < 42; ++i) {
        const QString want = i < expected.size() ? expected[i] : QStringLiteral(" ");
        QVERIFY2(Cell(h, i)->text() == want, qPrintable(QStringLiteral("cell %1").arg(i)));
    }
    QCOMPARE(h.DayCell(4), Cell(h, 4));
    QCOMPARE(h.DayCell(15), Cell(h, 5));
    QVERIFY(h.DayCell(10) == nullptr);

    // Monday first: the 4th ends up in the fourth column, the 15th in the fifth.
    h.ChangeSettings([](TSettings& s) { s.DayOrder = TWeekday::Monday; });
    QCOMPARE(Cell(h, 3)->text(), QString("4"));
    QCOMPARE(Cell(h, 4)->text(), QString("15"));
    QCOMPARE(Cell(h, 20)->text(), QString("31"));
    QCOMPARE(Cell(h, 21)->text(), QString(" "));
}

void TCalendarChangeTest::ClicksAcrossTheChangeSelectConsecutiveDays() {
    TMainHarness h(At(2026, 12, 7));
    h.ChangeSettings([](TSettings& s) { s.DayOrder = TWeekday::Sunday; });
    QVERIFY(h.State->SelectDate(1582, 10, 1));
    h.Click(Cell(h, 4));
    QCOMPARE(int(h.Selected().Day), 4);
    const double thursday = h.Selected().JD;
    h.Click(Cell(h, 5));
    QCOMPARE(int(h.Selected().Day), 15);
    QCOMPARE(int(h.Selected().Month), 10);
    // Meeus, ch. 7: 1582 October 4 (Julian) and October 15 (Gregorian) are one day apart.
    QCOMPARE(h.Selected().JD - thursday, 1.0);
    const QLabel* cell = Cell(h, 5);
    QCOMPARE(h.Main->Calendar().HighlightPos(), QPoint(cell->x() - 1, cell->y() - 3));

    // A day that does not exist, asked for from the 10th of another month, becomes the 15th.
    QVERIFY(h.State->SelectDate(1582, 9, 10));
    QVERIFY(h.State->SelectDate(1582, 10, 10));
    QCOMPARE(int(h.Selected().Day), 15);
    QCOMPARE(h.Selected().JD, JulianDay(h.Selected()));
}

void TCalendarChangeTest::JulianLeapDayInTheGrid() {
    TMainHarness h(At(2026, 12, 7));
    QVERIFY(h.State->SelectDate(1500, 2, 1));
    QLabel* leapDay = h.DayCell(29);
    QVERIFY(leapDay != nullptr);
    QCOMPARE(leapDay->text(), QString("29"));
    h.Click(leapDay);
    QCOMPARE(int(h.Selected().Day), 29);
    // One day before 1 March 1500.
    QCOMPARE(JulianDayOf(1500, 3, 1) - JulianDayOf(1500, 2, 29), 1.0);
    // 1700 is no leap year in the Gregorian calendar.
    QVERIFY(h.State->SelectDate(1700, 2, 1));
    QVERIFY(h.DayCell(29) == nullptr);
}

QTEST_MAIN(TCalendarChangeTest)
#include "calendar_change_test.moc"
