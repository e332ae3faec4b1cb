// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's month calendar: the grid for every first weekday, day selection, the
// year editor's keys and the month length when the year changes.

#include <QSignalSpy>
#include <QTest>

#include "engine/date_time.h"
#include "tmain_fixture.h"

namespace {

// Cell i of the 42 (row by row), by its name: row letter then column letter.
QLabel* Cell(const TMainHarness& h, int i) {
    return h.Label(QStringLiteral("lblDate%1%2").arg(QChar('A' + i / 7)).arg(QChar('A' + i % 7)));
}

} // namespace

class TMainCalendarTest : public QObject {
    Q_OBJECT
  private slots:
    void GridForEveryFirstWeekday();
    void HeadersFollowTheWeekOrder();
    void CaptionsCentredAndEmbossed();
    void DaySelectionRecomputes();
    void BlankCellAndRightClickChangeNothing();
    void YearEditorKeys();
    void YearOutsideTheCalendarIsRefused();
    void LeapDayToCommonYear();
};

void TMainCalendarTest::GridForEveryFirstWeekday() {
    TMainHarness h(At(2026, 12, 7));
    // Months whose 1st falls on each weekday, a leap February and a 31-day month starting on
    // a Saturday (six rows when Sunday comes first).
    const QDate months[] = {QDate(2015, 2, 1), QDate(2022, 1, 1),  QDate(2022, 5, 1),
                            QDate(2024, 2, 1), QDate(2026, 12, 1), QDate(1999, 12, 1),
                            QDate(2000, 3, 1), QDate(1900, 2, 1)};
    for (int order = 0; order < 7; ++order) {
        h.ChangeSettings([&](TSettings& s) { s.DayOrder = static_cast<TWeekday>(order); });
        for (const QDate& first : months) {
            QVERIFY(h.State->SelectDate(first.year(), first.month(), 1));
            // Qt counts Monday 1 .. Sunday 7; the calendar Sunday 0 .. Saturday 6.
            const int weekday = first.dayOfWeek() % 7;
            const int blanks = (weekday - order + 7) % 7;
            const int days = first.daysInMonth();
            const QString where = QStringLiteral("order %1, %2").arg(order).arg(first.toString());
            QVERIFY2(h.State->Month().Layout.LeadingBlanks == blanks, qPrintable(where));
            QVERIFY(Cell(h, 41) != nullptr && h.Label("lblDateGA") == nullptr);
            for (int i = 0; i < 42; ++i) {
                const int day = i - blanks + 1;
                const QString expected = day >= 1 && day <= days ? QString::number(day) : " ";
                QVERIFY2(Cell(h, i)->text() == expected,
                         qPrintable(where + QStringLiteral(" cell %1").arg(i)));
            }
        }
    }
    // Monday first and a month that starts on a Sunday: six blanks.
    h.ChangeSettings([](TSettings& s) { s.DayOrder = TWeekday::Monday; });
    QVERIFY(h.State->SelectDate(2022, 5, 1));
    QCOMPARE(h.State->Month().Layout.LeadingBlanks, 6);
    QCOMPARE(Cell(h, 6)->text(), QString("1"));
    QCOMPARE(Cell(h, 36)->text(), QString("31"));
    QCOMPARE(h.DayCell(31), Cell(h, 36));

    // Cell positions in the window.
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 7; ++c)
            QCOMPARE(Cell(h, 7 * r + c)->geometry(), QRect(420 + 29 * c, 316 + 25 * r, 20, 16));
}

void TMainCalendarTest::HeadersFollowTheWeekOrder() {
    TMainHarness h(At(2026, 12, 7));
    const QStringList english = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (int order = 0; order < 7; ++order) {
        h.ChangeSettings([&](TSettings& s) { s.DayOrder = static_cast<TWeekday>(order); });
        for (int i = 0; i < 7; ++i) {
            QLabel* header = h.Main->Calendar().DayLabels()[static_cast<size_t>(i)];
            QCOMPARE(header->text(), english[(order + i) % 7]);
            QCOMPARE(header->geometry(), QRect(420 + 29 * i, 291, 29, 16));
            QCOMPARE(header->objectName(), QStringLiteral("lblDay%1").arg(i));
        }
    }
}

void TMainCalendarTest::CaptionsCentredAndEmbossed() {
    TMainHarness h(At(2026, 9, 7));
    QLabel* month = h.Label("lblSelectedmonth");
    QLabel* year = h.Label("lblSelectedYear");
    QCOMPARE(month->text(), QString("September"));
    QCOMPARE(year->text(), QString("2026"));
    QCOMPARE(month->y(), 260);
    QCOMPARE(year->y(), 260);
    const int c = 640 - month->width() - year->width() - 450;
    QCOMPARE(month->x(), 420 + c / 2);
    QCOMPARE(year->x(), month->x() + month->width() + 10);
    QCOMPARE(h.Label("lblSelectedMonthShadow")->pos(), month->pos() + QPoint(1, 1));
    QCOMPARE(h.Label("lblSelectedYearShadow")->pos(), year->pos() + QPoint(1, 1));
}

void TMainCalendarTest::DaySelectionRecomputes() {
    TMainHarness h(At(2024, 3, 10, 21, 30));
    TMain& m = *h.Main;
    QCOMPARE(int(h.Selected().Day), 10);
    QLabel* cell = h.DayCell(25);
    h.Click(cell);
    QCOMPARE(int(h.Selected().Day), 25);
    QCOMPARE(int(h.Selected().Month), 3);
    QCOMPARE(m.Calendar().HighlightPos(), QPoint(cell->x() - 1, cell->y() - 3));
    QCOMPARE(h.Selected().JD, JulianDay(h.Selected()));
    // The new moons bracket the selected moment: 10 March 2024 09:00 UT and 8 April 2024
    // 18:21 UT (published times).
    QVERIFY(h.State->NewMoons().PrevNewMoon <= h.Selected().JD);
    QVERIFY(h.Selected().JD < h.State->NewMoons().NextNewMoon);
    QVERIFY(qAbs(h.State->NewMoons().PrevNewMoon - JulianDay({10, 3, 2024, 9, 0, 0, 0, 0})) < 0.01);
    QVERIFY(qAbs(h.State->NewMoons().NextNewMoon - JulianDay({8, 4, 2024, 18, 21, 0, 0, 0})) <
            0.01);
    // The day-bound rows follow the day: the Sun rows carry times.
    QVERIFY(h.Label("lblSunRise")->text().contains(':'));
    QVERIFY(m.MoonData().Texts().PerigeeTime.contains("Mar") ||
            m.MoonData().Texts().PerigeeTime.contains("Apr"));
}

void TMainCalendarTest::BlankCellAndRightClickChangeNothing() {
    TMainHarness h(At(2026, 12, 7));
    TMain& m = *h.Main;
    const QPoint highlight = m.Calendar().HighlightPos();
    h.Click(Cell(h, 0)); // December 2026 begins on a Tuesday: cell 0 is blank
    QCOMPARE(int(h.Selected().Day), 7);
    QCOMPARE(m.Calendar().HighlightPos(), highlight);

    int infoDay = 0;
    QObject::connect(&m, &TMain::DateInfoRequested, &m,
                     [&](const TDateRec& date) { infoDay = date.Day; });
    QTest::mousePress(h.DayCell(19), Qt::RightButton);
    QTest::mouseRelease(h.DayCell(19), Qt::RightButton);
    QCOMPARE(infoDay, 19);
    QCOMPARE(int(h.Selected().Day), 7);
    QCOMPARE(m.Calendar().HighlightPos(), highlight);
    infoDay = 0;
    QTest::mousePress(Cell(h, 0), Qt::RightButton);
    QCOMPARE(infoDay, 0);
}

void TMainCalendarTest::YearEditorKeys() {
    TMainHarness h(At(2026, 12, 7));
    TMain& m = *h.Main;
    h.Show();
    QLabel* year = h.Label("lblSelectedYear");
    // Closed editor: keys never touch the year.
    QTest::keyClick(&m, Qt::Key_Backspace);
    QTest::keyClick(&m, '5');
    QCOMPARE(year->text(), QString("2026"));

    h.Click(year);
    QVERIFY(m.Calendar().YearEditing());
    QVERIFY(h.Label("lblSelectedYearShadow")->isHidden());
    QLabel* cursor = h.Label("lblCursor");
    QCOMPARE(cursor->text(), QString("|"));
    QCOMPARE(cursor->x(), year->x() + year->width());
    // The cursor blinks (a quarter of a second on, a quarter off).
    QVERIFY(cursor->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!cursor->isVisible(), 600);
    QTRY_VERIFY_WITH_TIMEOUT(cursor->isVisible(), 600);

    QTest::keyClick(&m, '7'); // a fifth character is ignored
    QCOMPARE(year->text(), QString("2026"));
    for (int i = 0; i < 6; ++i)
        QTest::keyClick(&m, Qt::Key_Backspace); // two on empty
    QCOMPARE(year->text(), QString());
    QCOMPARE(cursor->x(), year->x() + year->width());
    QTest::keyClick(&m, 'x');
    QCOMPARE(year->text(), QString());

    // Enter with nothing typed: refused, the editor stays open, the date is unchanged.
    QTest::keyClick(&m, Qt::Key_Return);
    QVERIFY(m.Calendar().YearEditing());
    QVERIFY(!m.Calendar().LastYearError().isEmpty());
    QCOMPARE(h.Messages.Texts.size(), 1);
    QCOMPARE(h.Messages.Owners[0], &m);
    QCOMPARE(int(h.Selected().Year), 2026);
    // The window shows its month again when it is activated after the message: the year
    // in force comes back and the cursor follows it to its end.
    m.Calendar().ShowSelectedMonth();
    QVERIFY(m.Calendar().YearEditing());
    QCOMPARE(year->text(), QString("2026"));
    QCOMPARE(cursor->x(), year->x() + year->width());
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(&m, Qt::Key_Backspace);

    QTest::keyClicks(&m, "19995");
    QCOMPARE(year->text(), QString("1999"));
    QTest::keyClick(&m, Qt::Key_Return);
    QVERIFY(!m.Calendar().YearEditing());
    QVERIFY(cursor->isHidden());
    QTest::qWait(300); // no longer blinking
    QVERIFY(cursor->isHidden());
    QVERIFY(!h.Label("lblSelectedYearShadow")->isHidden());
    QCOMPARE(h.Label("lblSelectedYearShadow")->text(), QString("1999"));
    QCOMPARE(int(h.Selected().Year), 1999);
    QCOMPARE(int(h.Selected().Month), 12);
    QCOMPARE(int(h.Selected().Day), 7);
    QCOMPARE(h.State->Month().Layout.LeadingBlanks, 3); // 1 December 1999 was a Wednesday
}

void TMainCalendarTest::YearOutsideTheCalendarIsRefused() {
    TMainHarness h(At(2026, 12, 7));
    TMain& m = *h.Main;
    h.Click(h.Label("lblSelectedYear"));
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(&m, Qt::Key_Backspace);
    QTest::keyClicks(&m, "0000");
    QTest::keyClick(&m, Qt::Key_Return);
    QVERIFY(m.Calendar().YearEditing());
    QCOMPARE(m.Calendar().LastYearError(), QString("0000"));
    QCOMPARE(h.Messages.Texts.size(), 1);
    QVERIFY2(h.Messages.Texts[0].contains("0000"), qPrintable(h.Messages.Texts[0]));
    QCOMPARE(int(h.Selected().Year), 2026);
    QCOMPARE(h.Label("lblSelectedYearShadow")->text(), QString("2026"));
    // Another window closing the editor puts the year in force back.
    m.Calendar().AcceptYear();
    QVERIFY(!m.Calendar().YearEditing());
    QCOMPARE(h.Label("lblSelectedYear")->text(), QString("2026"));
}

void TMainCalendarTest::LeapDayToCommonYear() {
    TMainHarness h(At(2024, 2, 29, 10));
    TMain& m = *h.Main;
    QCOMPARE(int(h.Selected().Day), 29);
    h.Click(h.Label("lblSelectedYear"));
    QTest::keyClick(&m, Qt::Key_Backspace);
    QTest::keyClick(&m, '3');
    QTest::keyClick(&m, Qt::Key_Return);
    QCOMPARE(int(h.Selected().Year), 2023);
    QCOMPARE(int(h.Selected().Month), 2);
    QCOMPARE(int(h.Selected().Day), 28);
    QLabel* cell = h.DayCell(28);
    QCOMPARE(m.Calendar().HighlightPos(), QPoint(cell->x() - 1, cell->y() - 3));
    QVERIFY(h.DayCell(29) == nullptr);
    QCOMPARE(h.Selected().JD, JulianDay(h.Selected()));

    // A caller that sets a month without limiting the day gets the month's last day.
    QVERIFY(h.State->SelectDate(2023, 4, 31));
    QCOMPARE(int(h.Selected().Day), 30);
    QCOMPARE(m.Calendar().HighlightPos(), QPoint(h.DayCell(30)->x() - 1, h.DayCell(30)->y() - 3));
}

QTEST_MAIN(TMainCalendarTest)
#include "tmain_calendar_test.moc"
