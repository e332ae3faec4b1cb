// SPDX-License-Identifier: GPL-3.0-or-later
// The observing aid: each day's row, pixel column for pixel column, against the almanac's
// Sun at its four altitudes and the Moon's rise and set, at an ordinary place, where the
// evening twilight ends after midnight, and at polar and southern places where the Sun or
// the Moon stays up or down all day (decided by its altitude at local noon); the night
// view's rows; the printed page.

#include <QTemporaryDir>
#include <QTest>

#include "engine/date_time.h"
#include "engine/moon.h"
#include "place_fixture.h"
#include "ui/common/look.h"
#include "ui/common/printing.h"
#include "ui/reports/observing_aid.h"

namespace {

using TStretches = std::vector<std::pair<int, int>>;

// The minutes of the day above an altitude from the almanac's rise and set: an evening
// crossing after midnight (set before rise) gives the early hours too; no crossing at all
// ("None" or "*****" both ways) is all day or nothing by the altitude at local noon.
TStretches Expected(const QString& riseText, const QString& setText, bool upAtNoon) {
    const int rise = AlmanacMinutes(riseText), set = AlmanacMinutes(setText);
    if (rise < 0 && set < 0) return upAtNoon ? TStretches{{0, 1440}} : TStretches{};
    if (rise >= 0 && set >= 0) {
        if (rise <= set) return {{rise, set}};
        return {{0, set}, {rise, 1440}};
    }
    if (rise >= 0) return {{rise, 1440}};
    if (set >= 0) return {{0, set}};
    return {};
}

bool Covers(const TStretches& list, int column) {
    // A stretch covers the columns 20 + round(from / 3) up to, not including, 20 + round(to / 3).
    for (const auto& [from, to] : list)
        if (column >= 20 + std::lround(from / 3.0) && column < 20 + std::lround(to / 3.0))
            return true;
    return false;
}

double AltitudeAtNoon(const TPlace& place, int y, int m, int d, bool sun) {
    const TObserver o = ObserverOf(place);
    TSunData sunData;
    const TMoonData moon = MoonPosition(o.UTOfLocal(JulianDayOf(y, m, d, 12)), o, sunData);
    return sun ? sunData.Altitude : moon.AltitudeDeg;
}

// Compares every day's row of the day-view chart with the almanac; returns the first
// difference, or "" when the chart agrees.
QString CompareMonth(const TPlace& place, int year, int month, const QImage& chart,
                     int* fullSunRows = nullptr, int* fullMoonRows = nullptr) {
    const QList<QStringList> rows =
        AlmanacAt(place, {"riseset", QString::number(year), QString::number(month)});
    if (rows.size() != DaysInMonth(month, year)) return "no almanac";
    const TChartParams params = ScreenChartParams();
    const QColor colours[4] = {params.Astronomical, params.Nautical, params.Civil, params.Daylight};
    const double passAltitudes[4] = {-18, -12, -6, -0.8333};
    // Almanac columns of each pass: start and end.
    const int columns[4][2] = {{12, 13}, {10, 11}, {8, 9}, {5, 7}};
    for (int d = 1; d <= rows.size(); ++d) {
        const QStringList& a = rows[d - 1];
        const double sunNoon = AltitudeAtNoon(place, year, month, d, true);
        TStretches sun[4];
        for (int pass = 0; pass < 4; ++pass)
            sun[pass] =
                Expected(a[columns[pass][0]], a[columns[pass][1]], sunNoon > passAltitudes[pass]);
        const TStretches moon =
            Expected(a[1], a[3], AltitudeAtNoon(place, year, month, d, false) > 0);
        const int illumination = a[4].toInt();
        if (fullSunRows && sun[3] == TStretches{{0, 1440}}) ++*fullSunRows;
        if (fullMoonRows && moon == TStretches{{0, 1440}}) ++*fullMoonRows;
        const int y0 = 12 * (d - 1);
        for (int x = 20; x < 500; ++x) {
            if (x == 259) continue; // the midline
            QColor sunColour = params.Background;
            for (int pass = 0; pass < 4; ++pass)
                if (Covers(sun[pass], x))
                    sunColour =
                        pass == 2 && sun[2] == TStretches{{0, 1440}} && a[columns[2][0]] == "None"
                            ? params.AllDayCivil
                            : colours[pass];
            const QColor shownSun = chart.pixelColor(x, y0 + 11);
            if (shownSun != sunColour)
                return QString("%1-%2-%3 column %4: Sun %5, expected %6 (%7)")
                    .arg(year)
                    .arg(month)
                    .arg(d)
                    .arg(x)
                    .arg(shownSun.name(), sunColour.name(), a.join(','));
            if (illumination <= 1) continue;
            const bool moonUp = chart.pixelColor(x, y0 + 1) == PanelText;
            if (moonUp != Covers(moon, x))
                return QString("%1-%2-%3 column %4: Moon %5 (%6)")
                    .arg(year)
                    .arg(month)
                    .arg(d)
                    .arg(x)
                    .arg(moonUp)
                    .arg(a.join(','));
        }
    }
    return {};
}

QImage DayViewChart(TMainHarness& h, TObservingAid& aid) {
    aid.Open();
    if (aid.View() == TAidView::Night) TMainHarness::Click(aid.findChild<QLabel*>("imgDayNight"));
    [&] { QCOMPARE(aid.View(), TAidView::Day); }();
    (void)h;
    QImage chart = aid.grab(TObservingAid::ChartArea).toImage();
    chart.setDevicePixelRatio(1.0);
    return chart.convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TObservingAidTest : public QObject {
    Q_OBJECT
  private slots:
    void RowsAreTheAlmanacsTimes();
    void EveningAfterMidnightDrawsBothPieces();
    void PolarAndSouthernDaysByTheAltitudeRule();
    void NightViewRowsAndToggles();
    void PrintedPageShowsTheChart();
};

void TObservingAidTest::RowsAreTheAlmanacsTimes() {
    TMainHarness h(At(2026, 3, 10, 17), PlaceSeed(NewYork));
    TObservingAid aid(*h.State, h.Main);
    QCOMPARE(CompareMonth(NewYork, 2026, 3, DayViewChart(h, aid)), QString());
    // Another month chosen while the window is shown redraws it.
    h.State->SelectDate(2026, 7, 4);
    QImage chart = aid.grab(TObservingAid::ChartArea).toImage();
    chart.setDevicePixelRatio(1.0);
    QCOMPARE(CompareMonth(NewYork, 2026, 7, chart.convertToFormat(QImage::Format_RGB32)),
             QString());
}

void TObservingAidTest::EveningAfterMidnightDrawsBothPieces() {
    // A Coruña in summer time: the astronomical dusk of 20 June 2024 falls at 00:39 on the
    // 21st, so the 21st's row is lit from midnight to then.
    const QList<QStringList> rows = AlmanacAt(ACoruna, {"riseset", "2024", "6"});
    QCOMPARE(rows.size(), 30);
    QVERIFY(AlmanacMinutes(rows[20][13]) < AlmanacMinutes(rows[20][12]));
    TMainHarness h(At(2024, 6, 21, 12), PlaceSeed(ACoruna));
    TObservingAid aid(*h.State, h.Main);
    const QImage chart = DayViewChart(h, aid);
    QCOMPARE(CompareMonth(ACoruna, 2024, 6, chart), QString());
    QCOMPARE(chart.pixelColor(22, 12 * 20 + 11), ScreenChartParams().Astronomical);
}

void TObservingAidTest::PolarAndSouthernDaysByTheAltitudeRule() {
    struct TCase {
        TPlace Place;
        int Year, Month;
        bool SunAllDay, MoonAllDay;
    } cases[] = {
        {Tromso, 2010, 12, false, true},       // the Moon never sets on 19-21 December
        {Longyearbyen, 2024, 12, false, true}, // the Sun at most about −11.7°
        {McMurdo, 2024, 12, true, false},      // southern summer: the Sun never sets
        {Sydney, 2024, 6, false, false},
    };
    for (const TCase& c : cases) {
        TMainHarness h(At(c.Year, c.Month, 15, 12), PlaceSeed(c.Place));
        TObservingAid aid(*h.State, h.Main);
        int fullSun = 0, fullMoon = 0;
        const QString difference =
            CompareMonth(c.Place, c.Year, c.Month, DayViewChart(h, aid), &fullSun, &fullMoon);
        QVERIFY2(difference.isEmpty(), qPrintable(QString(c.Place.Name) + ": " + difference));
        QCOMPARE(fullSun > 0, c.SunAllDay);
        if (c.MoonAllDay) QVERIFY2(fullMoon > 0, c.Place.Name);
    }
    // At 78° N in December the civil pass paints nothing: its all-day colour is absent.
    TMainHarness h(At(2024, 12, 15, 12), PlaceSeed(Longyearbyen));
    TObservingAid aid(*h.State, h.Main);
    const QImage chart = DayViewChart(h, aid);
    for (int y = 0; y < 31 * 12; ++y)
        QVERIFY(chart.pixelColor(100, y) != ScreenChartParams().AllDayCivil);
}

void TObservingAidTest::NightViewRowsAndToggles() {
    TMainHarness h(At(2026, 3, 10, 17), PlaceSeed(NewYork));
    TObservingAid aid(*h.State, h.Main);
    aid.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&aid));
    QCOMPARE(aid.View(), TAidView::Night);
    QVERIFY(!aid.GridOn());
    QImage chart = aid.grab(TObservingAid::ChartArea).toImage();
    chart.setDevicePixelRatio(1.0);
    chart = chart.convertToFormat(QImage::Format_RGB32);
    const QColor background = ScreenChartParams().Background;
    // The first row's left half, the evening before the 1st, is left dark; the 32nd row
    // holds the evening of the 31st (its twilight).
    for (int x = 20; x < 258; ++x)
        QCOMPARE(chart.pixelColor(x, 11), background);
    bool eveningOf31st = false;
    for (int x = 20; x < 258; ++x)
        eveningOf31st = eveningOf31st || chart.pixelColor(x, 31 * 12 + 11) != background;
    QVERIFY(eveningOf31st);
    // A night row: the afternoon of day d (left half of row d) is the day view's afternoon.
    TMainHarness::Click(aid.findChild<QLabel*>("imgLinesGrid"));
    QVERIFY(aid.GridOn());
    QImage grid = aid.grab(TObservingAid::ChartArea).toImage();
    grid.setDevicePixelRatio(1.0);
    grid = grid.convertToFormat(QImage::Format_RGB32);
    QCOMPARE(grid.pixelColor(20 + 20 * 5, 5 * 12 + 6), ScreenChartParams().Grid);
    // Opening again starts in night view without the grid.
    aid.Open();
    QCOMPARE(aid.View(), TAidView::Night);
    QVERIFY(!aid.GridOn());
}

void TObservingAidTest::PrintedPageShowsTheChart() {
    for (const char* printer : {"Colour Inkjet", "Laser"}) {
        TMainHarness h(At(2026, 3, 10, 17), PlaceSeed(NewYork, {{"PrinterType", printer}}));
        TObservingAid aid(*h.State, h.Main);
        aid.Open();
        QTemporaryDir folder;
        const QString pdf = folder.filePath("aid.pdf");
        TPdfPrintCapture capture(pdf);
        QCOMPARE(aid.PrintDiagram(), TPrintOutcome::Printed);
        QVERIFY(PdfLayoutText(pdf).contains("March 2026"));
        const QImage page = PdfPage(pdf, 40);
        QVERIFY(!page.isNull());
        const bool colour = QString(printer) == "Colour Inkjet";
        const QColor daylight = colour ? QColor(170, 170, 233) : QColor(185, 185, 185);
        int daylightPixels = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x) {
                const QColor c = page.pixelColor(x, y);
                daylightPixels += std::abs(c.red() - daylight.red()) < 4 &&
                                  std::abs(c.blue() - daylight.blue()) < 4;
            }
        // Daylight covers about half of every row of the chart.
        QVERIFY2(daylightPixels > page.width() * page.height() / 10,
                 qPrintable(QString("%1: %2").arg(printer).arg(daylightPixels)));
    }
}

QTEST_MAIN(TObservingAidTest)
#include "observing_aid_test.moc"
