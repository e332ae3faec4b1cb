// SPDX-License-Identifier: GPL-3.0-or-later
// The equinox, Easter and date information pop-ups through the real windows: the seasons of
// 2026 north and south against the published instants, Easter of the book's years, the date
// facts of two edge dates, the right click on a day, and the closing at a click elsewhere,
// which then acts where it lands.

#include <QLabel>
#include <QTest>

#include "tmain_fixture.h"
#include "ui/menus/report_menu.h"
#include "ui/reports/calendar_pop_ups.h"

namespace {

// Greenwich in universal time; Sydney's latitude and longitude in universal time too, so
// both show the same instants.
TSeed PlaceSeed(const char* latDir) {
    return Seed({{"LatDeg", "51"},
                 {"LatMin", "29"},
                 {"LatDir", latDir},
                 {"LongDeg", "000"},
                 {"LongMin", "00"},
                 {"LongDir", "West"},
                 {"TimeZone", "24"}});
}

// Minutes of a "hh:mm   DD Mon" text from the start of its month.
int MinuteOfMonth(const QString& text) {
    return text.mid(8, 2).toInt() * 1440 + text.left(2).toInt() * 60 + text.mid(3, 2).toInt();
}

} // namespace

class TCalendarPopUpsTest : public QObject {
    Q_OBJECT
  private slots:
    void SeasonsOf2026NorthAndSouth();
    void EasterOfTheBooksYears();
    void DateFactsAndTheRightClick();
    void PopUpsCloseOnAClickElsewhere();
};

void TCalendarPopUpsTest::SeasonsOf2026NorthAndSouth() {
    // USNO, 2026 (UT): equinox 20 March 14:46, solstice 21 June 08:24, equinox 23 September
    // 00:05, solstice 21 December 20:50; the next equinox 20 March 2027 20:25.
    const struct {
        const char* Month;
        int Day, Hour, Minute;
    } published[] = {
        {"Mar", 20, 14, 46}, {"Jun", 21, 8, 24}, {"Sep", 23, 0, 5}, {"Dec", 21, 20, 50}};
    const double lengths[4] = {92.73, 93.65, 89.86, 88.98}; // from the published minutes
    for (const char* hemisphere : {"North", "South"}) {
        TMainHarness h(At(2026, 5, 1), PlaceSeed("North"));
        h.Show();
        TEquinox& equinox = h.Windows->Equinox();
        equinox.EquinoxesAndSolstices(2026);
        // The observer moved while the pop-up is open: it follows.
        const bool north = QString(hemisphere) == "North";
        h.ChangeSettings([&](TSettings& s) {
            s.Position.LatitudeSide = north ? THemisphere::Northern : THemisphere::Southern;
        });
        QVERIFY(equinox.isVisible());
        for (int row = 0; row < 4; ++row) {
            const int event = north ? row : (row + 2) % 4; // spring is September's south
            const QString text = equinox.EventText(row);
            QCOMPARE(text.right(3), QString(published[event].Month));
            const int expected =
                published[event].Day * 1440 + published[event].Hour * 60 + published[event].Minute;
            QVERIFY2(std::abs(MinuteOfMonth(text) - expected) <= 1, qPrintable(text));
            QCOMPARE(text.mid(5, 3), QString("   "));
            const QString length = equinox.LengthText(row);
            QVERIFY(length.endsWith(" days"));
            QVERIFY2(std::fabs(length.chopped(5).toDouble() - lengths[event]) < 0.015,
                     qPrintable(length));
        }
        equinox.close();
    }
}

void TCalendarPopUpsTest::EasterOfTheBooksYears() {
    TMainHarness h(At(2026, 5, 1), PlaceSeed("North"));
    h.Show();
    const struct {
        int Year;
        const char* Text;
    } years[] = {{2000, "23 April 2000"},
                 {2019, "21 April 2019"},
                 {2008, "23 March 2008"},
                 {1500, "19 April 1500"}}; // 1500: the Julian computus
    for (const auto& y : years) {
        QVERIFY(h.State->SelectDate(y.Year, 6, 1));
        // Through the report menu's entry, as the user reaches it.
        emit h.Windows->ReportMenu().EntryChosen(TReportEntry::Easter);
        QVERIFY(h.Windows->Easter().isVisible());
        QCOMPARE(h.Windows->Easter().DateText(), QString(y.Text));
        h.Windows->Easter().close();
    }
}

void TCalendarPopUpsTest::DateFactsAndTheRightClick() {
    TMainHarness h(At(2024, 12, 10), PlaceSeed("North"));
    h.Show();
    TDateInfo& info = h.Windows->DateInfo();
    info.ShowDateInfo(MakeDate(2000, 1, 1, 15, 30));
    QCOMPARE(info.Texts(),
             QStringList({"01 January 2000", "2451544.5", "1", "52  (1999-W52-6)", "359"}));
    info.close();
    // A right click on 31 December of the calendar.
    TMainHarness::Click(h.DayCell(31), Qt::RightButton);
    QVERIFY(info.isVisible());
    QCOMPARE(info.Texts(),
             QStringList({"31 December 2024", "2460675.5", "366", "1  (2025-W1-2)", "359"}));
    // Centred on the main window.
    const QPoint centre = h.Main->frameGeometry().center();
    QVERIFY((info.frameGeometry().center() - centre).manhattanLength() <= 2);
}

void TCalendarPopUpsTest::PopUpsCloseOnAClickElsewhere() {
    TMainHarness h(At(2026, 5, 1), PlaceSeed("North"));
    h.Show();
    TBorderlessWindow* popUps[] = {&h.Windows->Equinox(), &h.Windows->Easter(),
                                   &h.Windows->DateInfo()};
    for (TBorderlessWindow* popUp : popUps) {
        QCOMPARE(popUp->Role(), TWindowRole::PopUp);
        QVERIFY(popUp->windowFlags().testFlag(Qt::Popup));
    }
    // Clicks come through the main window, as the desktop delivers them: the toolkit hands them
    // to the open pop-up first. The click that closes a pop-up selects the day it lands on.
    const auto clickDay = [&](int day, Qt::MouseButton button) {
        const QLabel* cell = h.DayCell(day);
        QTest::mouseClick(h.Main->windowHandle(), button, Qt::NoModifier,
                          cell->mapTo(h.Main, cell->rect().center()));
    };
    const std::function<void()> openers[] = {[&] { clickDay(7, Qt::RightButton); },
                                             [&] { TMainHarness::Click(h.Label("lblReports")); },
                                             [&] { emit h.Main->MonthPickerRequested(); }};
    int day = 10; // 11 to 13: days none of them covers
    for (const auto& open : openers) {
        open();
        const QWidget* popUp = QApplication::activePopupWidget();
        QVERIFY(popUp != nullptr);
        clickDay(++day, Qt::LeftButton);
        QVERIFY(!popUp->isVisible());
        QCOMPARE(h.Selected().Day, day);
    }
}

QTEST_MAIN(TCalendarPopUpsTest)
#include "calendar_pop_ups_test.moc"
