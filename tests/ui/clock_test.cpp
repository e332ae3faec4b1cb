// Following the clock and the time editor: the displayed midnight with a shifted clock,
// the fields' keys and limits, "Now", and the clock strip.

#include <QSignalSpy>
#include <QTest>

#include "engine/text_helpers.h"
#include "ui/common/art_names.h"
#include "ui/common/artwork.h"
#include "ui/common/fonts.h"
#include "ui/main/clock_editor.h"
#include "ui/main/clock_strip.h"
#include "ui/main/clock_time.h"

namespace {

TDateRec Date(int day, int month, int year, int hour = 0, int minute = 0, int second = 0) {
    TDateRec date;
    date.Day = static_cast<std::uint16_t>(day);
    date.Month = static_cast<std::uint16_t>(month);
    date.Year = static_cast<std::uint16_t>(year);
    date.Hour = static_cast<std::uint16_t>(hour);
    date.Minute = static_cast<std::uint16_t>(minute);
    date.Second = static_cast<std::uint16_t>(second);
    date.JD = JulianDay(date);
    return date;
}

QDateTime At(int year, int month, int day, int hour, int minute, int second) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

// A clock that reads whatever the test sets.
struct TFakeClock {
    QDateTime Now = At(2026, 12, 7, 14, 0, 0);
    [[nodiscard]] TClockSource Source() {
        return [this] { return Now; };
    }
};

class TNoClock final : public TSystemClock {
  public:
    bool SetUniversalTime(const TDateRec&) override { return false; }
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
    QVERIFY(!GetTime(selected, oneHour, At(2025, 12, 31, 23, 0, 0))); // 24:00:00 shown
    QVERIFY(GetTime(selected, oneHour, At(2025, 12, 31, 23, 0, 1)));
    QCOMPARE(selected.Day, 1);
    QCOMPARE(selected.Month, 1);
    QCOMPARE(selected.Year, 2026);
    QCOMPARE(selected.Hour, 23);
    QCOMPARE(selected.Second, 1);
    QCOMPARE(selected.JD, JulianDay(Date(1, 1, 2026, 23, 0, 1)));

    // The rollover applies to whatever day is selected, and follows a negative offset too.
    TDateRec past = Date(28, 2, 2024, 1, 29, 59);
    const double minus90 = -1.5 / 24;
    QVERIFY(!GetTime(past, minus90, At(2026, 12, 7, 1, 29, 59)));
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
    QCOMPARE(DisplayTime(date, 12.0 / 24), std::string("00:34:56  26 February 2023"));
    // 14:00:00 on the clock showing 09:30:15: the offset is −4 h 29 min 45 s.
    QCOMPARE(ClockOffsetFor(9, 30, 15, Date(1, 1, 2026, 14, 0, 0)),
             -(4 * 3600 + 29 * 60 + 45) / 86400.0);
}

void TClockTest::EditorOpensWithTheDisplayedTime() {
    TFakeClock clock;
    TNoClock system;
    QWidget main;
    main.resize(640, 480);
    TTimeEditor editor(&main, clock.Source(), system, 1.0);
    TDateRec selected = Date(7, 12, 2026, 14, 0, 0);
    double offset = 2.0 / 24 + 5.0 / 1440;
    TObserver observer;
    editor.Bind(selected, offset, observer);
    QSignalSpy timer(&editor, &TTimeEditor::TimerEnabled);
    QSignalSpy shown(&editor, &TTimeEditor::EditorShown);
    main.show();
    QVERIFY(!editor.isVisible());
    editor.Open();
    QVERIFY(editor.isVisible());
    QCOMPARE(editor.pos(), QPoint(130, 40));
    QCOMPARE(timer.count(), 1);
    QCOMPARE(timer.at(0).at(0).toBool(), false);
    QCOMPARE(shown.count(), 1);
    QCOMPARE(editor.txtHour->text(), QString("16"));
    QCOMPARE(editor.txtMinute->text(), QString("05"));
    QCOMPARE(editor.txtSecond->text(), QString("00"));
    QCOMPARE(editor.txtMinute->geometry(), QRect(41, 3, 21, 19));
    QCOMPARE(editor.lblColon2->pos(), QPoint(63, 2));

    // The editor's picture is the bar with its two buttons.
    const QImage bar = editor.grab().toImage();
    QCOMPARE(bar.size(), QSize(228, 30));
    QCOMPARE(bar.pixel(130, 1), LoadArt(ArtTimeEditor).pixel(130, 1));
}

void TClockTest::FieldsTakeDigitsOnlyAndPadOnLeaving() {
    TFakeClock clock;
    TNoClock system;
    QWidget main;
    TTimeEditor editor(&main, clock.Source(), system, 1.0);
    TDateRec selected = Date(7, 12, 2026, 14, 0, 0);
    double offset = 0;
    TObserver observer;
    editor.Bind(selected, offset, observer);
    main.show();
    editor.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&main));

    editor.txtMinute->setFocus();
    editor.txtMinute->clear();
    QTest::keyClicks(editor.txtMinute, "a7-x.");
    QCOMPARE(editor.txtMinute->text(), QString("7"));
    editor.txtSecond->setFocus(); // leaving the minute field
    QCOMPARE(editor.txtMinute->text(), QString("07"));
    editor.txtSecond->clear();
    editor.txtHour->setFocus();
    QCOMPARE(editor.txtSecond->text(), QString("00"));
    QTest::keyClicks(editor.txtHour, "123"); // at most two characters
    QCOMPARE(editor.txtHour->text().size(), 2);
    QTest::keyClick(editor.txtHour, Qt::Key_Backspace);
    QCOMPARE(editor.txtHour->text().size(), 1);
}

void TClockTest::HourLimits() {
    TFakeClock clock;
    clock.Now = At(2026, 12, 7, 14, 0, 0);
    TNoClock system;
    QWidget main;
    TTimeEditor editor(&main, clock.Source(), system, 1.0);
    TDateRec selected = Date(7, 12, 2026, 14, 0, 0);
    double offset = 0.125;
    TObserver observer;
    editor.Bind(selected, offset, observer);
    QStringList messages;
    editor.ShowMessage = [&](const QString& text) { messages << text; };
    QSignalSpy timer(&editor, &TTimeEditor::TimerEnabled);
    main.show();
    editor.Open();

    editor.txtHour->setText("24");
    QTest::keyClick(editor.txtHour, Qt::Key_Return);
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.last().contains("hour") && messages.last().contains("23"),
             qPrintable(messages.last()));
    QCOMPARE(offset, 0.125);
    QVERIFY(editor.isVisible());

    editor.txtMinute->setText("");
    editor.txtHour->setText("23");
    QTest::keyClick(editor.txtHour, Qt::Key_Return); // the empty minute field is refused
    QCOMPARE(messages.size(), 2);
    QCOMPARE(offset, 0.125);

    editor.txtMinute->setText("30");
    editor.txtSecond->setText("15");
    clock.Now = At(2026, 12, 7, 14, 0, 5);
    QTest::keyClick(editor.txtSecond, Qt::Key_Enter);
    QCOMPARE(messages.size(), 2);
    QVERIFY(!editor.isVisible());
    QCOMPARE(timer.last().at(0).toBool(), true);
    // 23:30:15 shown while the clock reads 14:00:05: 9 h 30 min 10 s ahead.
    QVERIFY(std::abs(offset - (9 * 3600 + 30 * 60 + 10) / 86400.0) < 1e-12);
    QCOMPARE(selected.Second, 5);
    QCOMPARE(selected.Day, 7); // the date is not changed
    QCOMPARE(DisplayTime(selected, offset), std::string("23:30:15  07 December 2026"));
}

void TClockTest::NowReturnsToThePresent() {
    TFakeClock clock;
    clock.Now = At(2026, 12, 7, 21, 14, 7);
    TNoClock system;
    QWidget main;
    TTimeEditor editor(&main, clock.Source(), system, 1.0);
    // After a jump to a phase in another month: another day and an offset.
    TDateRec selected = Date(24, 1, 2027, 21, 14, 7);
    double offset = -0.3;
    TObserver observer;
    editor.Bind(selected, offset, observer);
    QSignalSpy changed(&editor, &TTimeEditor::DateChanged);
    QSignalSpy timer(&editor, &TTimeEditor::TimerEnabled);
    main.show();
    editor.Open();
    editor.NowClick();
    QCOMPARE(offset, 0.0);
    QCOMPARE(selected.Day, 7);
    QCOMPARE(selected.Month, 12);
    QCOMPARE(selected.Year, 2026);
    QCOMPARE(selected.JD, JulianDay(Date(7, 12, 2026, 21, 14, 7)));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(timer.last().at(0).toBool(), true);
    QVERIFY(!editor.isVisible());
}

void TClockTest::ButtonsByPosition() {
    TFakeClock clock;
    TNoClock system;
    QWidget main;
    TTimeEditor editor(&main, clock.Source(), system, 1.0);
    TDateRec selected = Date(1, 1, 2027, 10, 0, 0);
    double offset = 0.2;
    TObserver observer;
    editor.Bind(selected, offset, observer);
    QStringList messages;
    editor.ShowMessage = [&](const QString& text) { messages << text; };
    editor.SetTimeServer("http://127.0.0.1:1/"); // nothing listens on port 1
    editor.SetSyncTimeout(2000);
    main.show();
    editor.Open();
    QTest::mouseClick(&editor, Qt::LeftButton, {}, QPoint(107, 10)); // just left of "Now"
    QTest::mouseClick(&editor, Qt::LeftButton, {}, QPoint(130, 20)); // below it
    QCOMPARE(offset, 0.2);
    QVERIFY(messages.isEmpty());
    QTest::mouseClick(&editor, Qt::LeftButton, {}, QPoint(180, 10)); // "Sync"
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.last().startsWith("Time Synchronisation Failed : "),
             qPrintable(messages.last()));
    QVERIFY(editor.isVisible());
    QTest::mouseClick(&editor, Qt::LeftButton, {}, QPoint(152, 4)); // "Now"
    QCOMPARE(offset, 0.0);
}

void TClockTest::StripCentresItsTexts() {
    const QImage background = LoadArt(ArtClockStrip);
    QCOMPARE(background.size(), QSize(640, 24));
    const QFont font = ClockStripFont(1.0);
    QCOMPARE(font.pointSize(), 11);
    QVERIFY(font.bold());
    const QImage strip = ComposeClockStrip(
        background, font, "12:00:00  1 May 2026 - Full (Flower) Moon", "LST: 01:02:03");
    QCOMPARE(strip.size(), QSize(640, 25));
    // Navy ink lies on both halves, symmetric about their centres (211 and 520).
    auto inkColumns = [&](int from, int to) {
        int first = -1, last = -1;
        for (int x = from; x < to; ++x)
            for (int y = 0; y < 24; ++y) {
                const QRgb c = strip.pixel(x, y);
                if (qBlue(c) > qRed(c) + 40) {
                    if (first < 0) first = x;
                    last = x;
                    break;
                }
            }
        return std::pair{first, last};
    };
    const auto [left1, right1] = inkColumns(0, 410);
    const auto [left2, right2] = inkColumns(411, 640);
    QVERIFY(left1 > 20 && right1 < 402);
    QVERIFY(std::abs((left1 + right1) / 2 - 211) <= 3);
    QVERIFY(std::abs((left2 + right2) / 2 - 520) <= 3);
}

QTEST_MAIN(TClockTest)
#include "clock_test.moc"
