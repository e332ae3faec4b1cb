// SPDX-License-Identifier: GPL-3.0-or-later
// The month times list: its rows against the almanac of the same engine, on the screen and
// printed; scrolling and dragging to the table's last pixel row; the table rebuilt whenever
// the month or the place changes, whoever changes it; the printed page's sidereal time at
// local midnight and its row shading.

#include <QTemporaryDir>
#include <QTest>

#include "engine/almanac_text.h"
#include "print_fixture.h"
#include "ui/settings/print_options.h"
#include "ui/common/look.h"
#include "ui/common/printing.h"
#include "ui/reports/times_list.h"

namespace {

// The almanac's columns in the order a printed row shows them after its date and sidereal
// time: Moon rise, transit, set, illumination; the twilight starts (astronomical, nautical,
// civil); the Sun; the twilight ends (civil, nautical, astronomical).
QStringList PrintedOrder(const QStringList& a) {
    return {a[1], a[2], a[3], a[4] + '%', a[12], a[10], a[8], a[5], a[6], a[7], a[9], a[11], a[13]};
}

QRgb Pixel(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

// Whether a row of the window shows text of the colour between x0 and x1.
bool InkBetween(const QImage& window, int y0, int x0, int x1, QColor ink) {
    for (int y = y0; y < y0 + 14; ++y)
        for (int x = x0; x < x1; ++x) {
            const QColor c = window.pixelColor(x, y);
            if (std::abs(c.red() - ink.red()) < 40 && std::abs(c.green() - ink.green()) < 40 &&
                std::abs(c.blue() - ink.blue()) < 40)
                return true;
        }
    return false;
}

} // namespace

class TTimesListTest : public QObject {
    Q_OBJECT
  private slots:
    void RowsAreTheAlmanacsOnScreenAndPrinted();
    void ScrollingReachesTheLastPixelRow();
    void RebuiltWhenTheMonthOrPlaceChanges();
    void PrintedSiderealTimeAndShading();
    void MainWindowButtonsOpenTheWindows();
};

void TTimesListTest::RowsAreTheAlmanacsOnScreenAndPrinted() {
    TMainHarness h(At(2026, 3, 10, 17), NewYorkSeed());
    TTimesList list(*h.State, h.Main);
    list.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    const QList<QStringList> almanac = AlmanacRows(2026, 3);
    QVERIFY2(almanac.size() == 31, qPrintable(AlmanacProgram()));
    QCOMPARE(int(list.Rows().size()), 31);
    bool noMoonrise = false;
    for (int d = 0; d < 31; ++d) {
        const TTimesRow& row = list.Rows()[size_t(d)];
        const QStringList& a = almanac[d];
        auto text = [](const TRiseSetEvent& event) { return Q(EventTimeText(event)); };
        const TRiseSetTimes& moon = row.Moon.Events;
        const QStringList shown = {text(moon.Rise),          text(moon.Transit),
                                   text(moon.Set),           QString::number(row.Moon.Illumination),
                                   text(row.Sun.Rise),       text(row.Sun.Transit),
                                   text(row.Sun.Set),        text(row.Civil.Rise),
                                   text(row.Civil.Set),      text(row.Nautical.Rise),
                                   text(row.Nautical.Set),   text(row.Astronomical.Rise),
                                   text(row.Astronomical.Set)};
        QCOMPARE(shown, a.mid(1));
        QCOMPARE(row.DateText, QString("%1/03/2026").arg(d + 1, 2, 10, QChar('0')));
        noMoonrise = noMoonrise || a[1] == "*****";
    }
    QVERIFY(noMoonrise); // a month always has a day without moonrise

    // Painted in the columns' colours under their headings: date white, Moon aqua, Sun
    // yellow, twilight pale yellow; the stripes black and grey.
    const QImage window = list.grab().toImage();
    QVERIFY(InkBetween(window, 80, 30, 90, Qt::white));
    QVERIFY(InkBetween(window, 80, 104, 136, QColor(0, 255, 255)));
    QVERIFY(!InkBetween(window, 80, 104, 136, QColor(255, 255, 0)));
    QVERIFY(InkBetween(window, 80, 389, 421, QColor(255, 255, 0)));
    QVERIFY(InkBetween(window, 80, 265, 297, QColor(255, 255, 176)));
    QVERIFY(InkBetween(window, 80, 587, 619, QColor(255, 255, 176)));
    QCOMPARE(Pixel(window, 618, 81), qRgb(0, 0, 0) & 0xFFFFFF);
    QCOMPARE(Pixel(window, 618, 95), qRgb(70, 70, 70) & 0xFFFFFF);

    // Printed: every day a line with the same texts in the same order.
    QTemporaryDir folder;
    TPdfPrintCapture capture(folder.filePath("times.pdf"));
    QCOMPARE(list.PrintTimes(h.State->SelectedDate()), TPrintOutcome::Printed);
    QCOMPARE(QFileInfo(capture.Suggested.value(0)).fileName(),
             QString("Tidewell times March 2026.pdf"));
    const QStringList lines = PrintedDayLines(capture.PdfPath);
    QCOMPARE(lines.size(), 31);
    for (int d = 0; d < 31; ++d) {
        const QStringList words = Words(lines[d]);
        QCOMPARE(words.size(), 15);
        QCOMPARE(words[0], QString("%1/03/2026").arg(d + 1, 2, 10, QChar('0')));
        QCOMPARE(words.mid(2), PrintedOrder(almanac[d]));
    }
    const QStringList all = PdfLines(capture.PdfPath);
    QCOMPARE(all[0].trimmed(), QString("March 2026"));
    QVERIFY(all[2].contains("LST at") && all[2].contains("Moon") && all[2].contains("Sun"));
    QCOMPARE(Words(all[3]),
             QStringList({"Midnight", "Rise", "Transit", "Set", "illum", "Ast.", "Naut.", "Civil",
                          "Rise", "Transit", "Set", "Civil", "Naut.", "Ast."}));
    QCOMPARE(all.last().trimmed(), QString("Printed by Tidewell V2.62"));
    QCOMPARE(PdfPageCount(capture.PdfPath), 1);
}

void TTimesListTest::ScrollingReachesTheLastPixelRow() {
    TMainHarness h(At(2023, 2, 10), NewYorkSeed());
    TTimesList list(*h.State, h.Main);
    list.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QCOMPARE(list.DayCount(), 28);
    QLabel* down = list.findChild<QLabel*>("lblScrollDown");
    QLabel* up = list.findChild<QLabel*>("lblScrollUp");
    QVERIFY(down && up);
    for (int i = 0; i < 5; ++i)
        TMainHarness::Click(down);
    // 28 rows of 14 pixels in a 380-row area: the last row's last pixel row (391) is the
    // area's bottom row at offset 12.
    QCOMPARE(list.ScrollOffset(), 12);
    QCOMPARE(list.ScrollOffset() + TTimesList::VisibleRows - 1, 28 * 14 - 1);
    // There the 27th (black) and 28th (grey) stripes meet at window row 80 + 378 - 12.
    QImage window = list.grab().toImage();
    QCOMPARE(Pixel(window, 618, 445), qRgb(0, 0, 0) & 0xFFFFFF);
    QCOMPARE(Pixel(window, 618, 446), qRgb(70, 70, 70) & 0xFFFFFF);
    TMainHarness::Click(up);
    QCOMPARE(list.ScrollOffset(), 0);
    TMainHarness::Click(up);
    QCOMPARE(list.ScrollOffset(), 0);

    // Dragging the table: shown while dragging, kept on release, limited to the table.
    h.State->SelectDate(2023, 3, 10);
    QCOMPARE(list.DayCount(), 31);
    QTest::mousePress(&list, Qt::LeftButton, {}, QPoint(300, 300));
    QTest::mouseMove(&list, QPoint(300, 270));
    QCOMPARE(list.ShownOffset(), 30);
    QCOMPARE(list.ScrollOffset(), 0);
    QTest::mouseMove(&list, QPoint(300, 30)); // outside the table: nothing moves
    QCOMPARE(list.ShownOffset(), 30);
    QTest::mouseRelease(&list, Qt::LeftButton, {}, QPoint(300, 90));
    QCOMPARE(list.ScrollOffset(), 54); // 210 pixels asked, 31 × 14 − 380 allowed
    window = list.grab().toImage();
    // The 31st row's stripe (black) ends at the area's bottom, the 30th (grey) above it.
    QCOMPARE(Pixel(window, 618, 459), qRgb(0, 0, 0) & 0xFFFFFF);
    QCOMPARE(Pixel(window, 618, 445), qRgb(70, 70, 70) & 0xFFFFFF);
    QCOMPARE(Pixel(window, 618, 446), qRgb(0, 0, 0) & 0xFFFFFF);
}

void TTimesListTest::RebuiltWhenTheMonthOrPlaceChanges() {
    // The clock 20 seconds before midnight at the end of March, New York time (UTC-5).
    TMainHarness h(At(2026, 4, 1, 4, 59, 40), NewYorkSeed());
    h.Show();
    TTimesList list(*h.State, h.Main);
    list.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QCOMPARE(list.Rows()[0].Date.Month, 3);
    TMainHarness::Click(list.findChild<QLabel*>("lblScrollDown"));
    QCOMPARE(list.ScrollOffset(), 14);

    // Another day of the same month: the table stays as it is.
    h.State->SelectDate(2026, 3, 2);
    QCOMPARE(list.ScrollOffset(), 14);
    h.State->SelectDate(2026, 3, 31);

    // The clock passes midnight into April.
    h.Now = h.Now.addSecs(30);
    h.Main->Tick();
    QCOMPARE(h.Selected().Month, 4);
    QCOMPARE(list.DayCount(), 30);
    QCOMPARE(list.Rows()[0].Date.Month, 4);
    QCOMPARE(list.ScrollOffset(), 0);

    // Another place and zone from the configuration: the times follow.
    const int sunriseBefore = list.Rows()[0].Sun.Rise.Minute;
    h.ChangeSettings([](TSettings& s) { s.TimeZone = 16; }); // UTC-4
    QVERIFY(list.Rows()[0].Sun.Rise.Minute != sunriseBefore);
    // The date format is a setting too.
    h.ChangeSettings([](TSettings& s) { s.DateFormat = "mm/dd/yyyy"; });
    QCOMPARE(list.Rows()[1].DateText, QString("04/02/2026"));

    // "Now" goes back to the present month; a hidden list is rebuilt when it opens.
    h.State->SelectDate(2026, 7, 4);
    QCOMPARE(list.DayCount(), 31);
    h.State->ReturnToNow();
    QCOMPARE(list.DayCount(), 30);
    list.hide();
    h.State->SelectDate(2026, 2, 4);
    QCOMPARE(list.DayCount(), 30);
    list.Open();
    QCOMPARE(list.DayCount(), 28);
}

void TTimesListTest::PrintedSiderealTimeAndShading() {
    // At 74° W in UTC-5 local midnight on 1 January 2024 is 05:00 UT; the Greenwich sidereal
    // time is then 11h 41m (6h 40m 50s at 0h UT, Astronomical Almanac 2024, plus 5 h of
    // sidereal time), less 4h 56m of longitude: 06:45.
    TMainHarness h(At(2024, 1, 15), NewYorkSeed({{"PrinterType", "Laser"}}));
    TTimesList list(*h.State, h.Main);
    QTemporaryDir folder;
    {
        TPdfPrintCapture capture(folder.filePath("laser.pdf"));
        QCOMPARE(list.PrintTimes(h.State->SelectedDate()), TPrintOutcome::Printed);
    }
    const QStringList lines = PrintedDayLines(folder.filePath("laser.pdf"));
    QCOMPARE(lines.size(), 31);
    QVERIFY2(Words(lines[0])[1].startsWith("06:45:"), qPrintable(lines[0]));
    // A sidereal day is 3m 56s shorter: one day later the sidereal time is 3m 56s later.
    QVERIFY2(Words(lines[1])[1].startsWith("06:49:"), qPrintable(lines[1]));

    // The even rows shaded for the printer, the odd ones white.
    auto shadeOf = [&](const QString& pdf, int day) {
        const QImage page = PdfPage(pdf, 72); // one pixel a point
        for (const TPdfWord& w : PdfWords(pdf))
            if (w.Text == QString("%1/01/2024").arg(day, 2, 10, QChar('0')))
                return page.pixelColor(int(w.Box.left()) - 6, int(w.Box.center().y()));
        return QColor();
    };
    QCOMPARE(shadeOf(folder.filePath("laser.pdf"), 1), QColor(255, 255, 255));
    QCOMPARE(shadeOf(folder.filePath("laser.pdf"), 2), QColor(220, 220, 220));
    QCOMPARE(shadeOf(folder.filePath("laser.pdf"), 31), QColor(255, 255, 255));
    for (const auto& [type, shade] :
         {std::pair{TPrinterType::BwInkjet, QColor(160, 160, 255)},
          std::pair{TPrinterType::ColourInkjet, QColor(220, 220, 255)}}) {
        h.ChangeSettings([type](TSettings& s) { s.PrinterType = type; });
        const QString pdf = folder.filePath(QString::number(int(type)) + ".pdf");
        TPdfPrintCapture capture(pdf);
        QCOMPARE(list.PrintTimes(h.State->SelectedDate()), TPrintOutcome::Printed);
        QCOMPARE(shadeOf(pdf, 30), shade);
        QCOMPARE(shadeOf(pdf, 29), QColor(255, 255, 255));
    }
}

void TTimesListTest::MainWindowButtonsOpenTheWindows() {
    TMainHarness h(At(2023, 2, 10), NewYorkSeed());
    h.Show();
    QVERIFY(!h.Windows->TimesList().isVisible());
    TMainHarness::Click(h.Label("lblTimesList"));
    QVERIFY(h.Windows->TimesList().isVisible());
    QCOMPARE(h.Windows->TimesList().DayCount(), 28);
    QCOMPARE(h.Windows->TimesList().Rows()[0].Date.Month, 2);
    QVERIFY(!h.Windows->PrintOptions().isVisible());
    TMainHarness::Click(h.Label("lblPrint"));
    QVERIFY(h.Windows->PrintOptions().isVisible());
}

QTEST_MAIN(TTimesListTest)
#include "times_list_test.moc"
