// SPDX-License-Identifier: GPL-3.0-or-later
// The daily view: the South marker at the almanac's transit (also on the days when the
// azimuth jumps over the marker's narrow window), the hourly table against the almanac's
// Moon at those instants, a day the Moon stays below the horizon, and the printed page
// showing the same day and samples as the screen after the clock has been shifted.

#include <QTemporaryDir>
#include <QTest>

#include "engine/date_time.h"
#include "place_fixture.h"
#include "ui/common/look.h"
#include "ui/common/printing.h"
#include "ui/reports/daily_graph.h"
#include "ui/reports/daily_view.h"

namespace {

// Whether the graph shows the dots' colour between two heights.
bool PanelInkBetween(const QImage& graph, int y0, int y1) {
    for (int y = y0; y < y1; ++y)
        for (int x = 0; x < graph.width(); ++x) {
            const QColor c = graph.pixelColor(x, y);
            if (c.red() > 200 && c.green() > 200 && c.red() - c.blue() > 50) return true;
        }
    return false;
}

// The first minute whose azimuth lies within 179.9..180.1 (the narrow window alone).
int WindowOnlySouth(const TDailySamples& s) {
    for (int i = 0; i < DailySampleCount; ++i)
        if (s.AzimuthDeg[size_t(i)] >= 179.9 && s.AzimuthDeg[size_t(i)] <= 180.1) return i;
    return -1;
}

} // namespace

class TDailyViewTest : public QObject {
    Q_OBJECT
  private slots:
    void SouthMarkerAtEveryTransitOfAMonth();
    void WindowShowsTheSelectedDayAndTheAlmanacsTable();
    void MoonBelowTheHorizonAllDay();
    void PrintedPageIsTheScreensDayAfterAClockShift();
    void MarkerLabelsWholeOnTheGraph();
};

void TDailyViewTest::SouthMarkerAtEveryTransitOfAMonth() {
    // At 50° N the Moon's azimuth near transit moves faster than the 0.2° window in a minute
    // on many days; the marker must still stand at the transit.
    const QList<QStringList> rows = AlmanacAt(Latitude50, {"riseset", "2024", "3"});
    QCOMPARE(rows.size(), 31);
    int missedByWindow = 0, transits = 0;
    for (int d = 1; d <= 31; ++d) {
        const int transit = AlmanacMinutes(rows[d - 1][2]);
        const TDailySamples s = DailyMoonSamples(2024, 3, d, ObserverOf(Latitude50));
        if (transit < 0) {
            // No transit that day: the Moon does not pass south within it.
            QCOMPARE(s.MarkerMinute[CardinalSouth], -1);
            continue;
        }
        ++transits;
        const int marked = s.MarkerMinute[CardinalSouth];
        QVERIFY2(std::abs(marked - transit) <= 1,
                 qPrintable(
                     QString("2024-03-%1: transit %2, marker %3").arg(d).arg(transit).arg(marked)));
        if (WindowOnlySouth(s) < 0) ++missedByWindow;
        // North is passed about half a day from the transit, when at all.
        const int north = s.MarkerMinute[CardinalNorth];
        if (north >= 0) QVERIFY(std::abs(std::abs(north - transit) - 720) < 60);
    }
    QVERIFY(transits >= 29);
    QVERIFY2(missedByWindow >= 3, qPrintable(QString::number(missedByWindow)));
}

void TDailyViewTest::WindowShowsTheSelectedDayAndTheAlmanacsTable() {
    TMainHarness h(At(2026, 3, 10, 17), PlaceSeed(NewYork));
    TDailyView view(*h.State, h.Main);
    view.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCOMPARE(view.Day().Day, 10);

    // The hourly rows against the almanac's Moon at the same universal instants.
    const double midnightUt = JulianDayOf(2026, 3, 10) + 5.0 / 24.0;
    QStringList jds;
    for (int hour = 0; hour < 24; ++hour)
        jds << QString::number(midnightUt + hour / 24.0, 'f', 10);
    const QList<QStringList> moon = AlmanacAt(NewYork, QStringList{"moon"} + jds);
    QCOMPARE(moon.size(), 24);
    for (int hour = 0; hour < 24; ++hour) {
        const size_t i = size_t(hour * 60);
        QCOMPARE(DailyAngleText(view.Samples().AltitudeDeg[i]),
                 DailyAngleText(moon[hour][6].toDouble()));
        QCOMPARE(DailyAngleText(view.Samples().AzimuthDeg[i]),
                 DailyAngleText(moon[hour][7].toDouble()));
    }

    // The South marker's dashed white line at the almanac's transit.
    const QList<QStringList> rows = AlmanacAt(NewYork, {"riseset", "2026", "3"});
    const int transit = AlmanacMinutes(rows[9][2]);
    QVERIFY(transit >= 0);
    const QImage graph =
        view.grab(TDailyView::GraphArea).toImage().convertToFormat(QImage::Format_RGB32);
    int whiteColumn = -1;
    for (int x = DailyMinuteX(transit - 1); x <= DailyMinuteX(transit + 1); ++x) {
        int white = 0;
        for (int y = 20; y < 150; ++y)
            white += graph.pixelColor(x, y) == QColor(Qt::white);
        if (white > 40) whiteColumn = x;
    }
    QVERIFY2(whiteColumn >= 0, qPrintable(QString::number(transit)));

    // The day follows the selection while the window is shown.
    h.State->SelectDate(2026, 3, 11);
    QCOMPARE(view.Day().Day, 11);
    QVERIFY(PanelInkBetween(graph, 20, 158)); // the Moon was up on the 10th: dots
}

void TDailyViewTest::MoonBelowTheHorizonAllDay() {
    // Tromsø, December 2010: find the almanac's day on which the Moon neither rises nor sets
    // and stays down.
    const QList<QStringList> rows = AlmanacAt(Tromso, {"riseset", "2010", "12"});
    QCOMPARE(rows.size(), 31);
    int below = 0;
    for (int d = 1; d <= 31 && below == 0; ++d) {
        if (rows[d - 1][1] != "None") continue;
        const TDailySamples s = DailyMoonSamples(2010, 12, d, ObserverOf(Tromso));
        if (s.AltitudeDeg[720] < 0) below = d;
    }
    QVERIFY(below > 0);
    TMainHarness h(At(2010, 12, below, 12), PlaceSeed(Tromso));
    TDailyView view(*h.State, h.Main);
    view.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    for (double alt : view.Samples().AltitudeDeg)
        QVERIFY(alt < 0);
    const QImage graph =
        view.grab(TDailyView::GraphArea).toImage().convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIsSet("TIDEWELL_SHOTS")) graph.save("/tmp/obs_below.png");
    QVERIFY(!PanelInkBetween(graph, 20, 158));
}

void TDailyViewTest::PrintedPageIsTheScreensDayAfterAClockShift() {
    TMainHarness h(At(2026, 3, 10, 17), PlaceSeed(NewYork));
    TDailyView view(*h.State, h.Main);
    view.Open();
    // A phase chosen at 21:43: the clock shifted, the same day.
    h.State->SelectMoment(MakeDate(2026, 3, 10, 21, 43));
    QVERIFY(h.State->ClockOffset() != 0.0);
    QTemporaryDir folder;
    const QString pdf = folder.filePath("daily.pdf");
    TPdfPrintCapture capture(pdf);
    QCOMPARE(view.PrintDailyView(), TPrintOutcome::Printed);
    const QString text = PdfLayoutText(pdf);
    QVERIFY(text.contains("Daily View: 10 March 2026"));
    QVERIFY(text.contains("New York"));
    // Each hour's row: its time, then the screen's azimuth and altitude of that hour.
    const QStringList lines = PdfLines(pdf);
    for (int hour : {0, 7, 8, 15, 16, 23}) {
        const QString time = DailyHourText(hour);
        const QString az = DailyAngleText(view.Samples().AzimuthDeg[size_t(hour * 60)]);
        const QString alt = DailyAngleText(view.Samples().AltitudeDeg[size_t(hour * 60)]);
        bool found = false;
        for (const QString& line : lines) {
            const QStringList w = Words(line);
            const int at = int(w.indexOf(time));
            if (at >= 0 && at + 2 < w.size() && w[at + 1] == az && w[at + 2] == alt) found = true;
        }
        QVERIFY2(found, qPrintable(time + " " + az + " " + alt + "\n" + text));
    }
    QVERIFY(!text.contains("21:43"));
    // The page shows the graph: its hour labels and horizon line in black.
    const QImage page = PdfPage(pdf, 50);
    QVERIFY(!page.isNull());
}

// Every day of a month, the markers passing both ends of the day: their names and azimuths
// stay on the graph (no label ink at its edges above the hour lines).
void TDailyViewTest::MarkerLabelsWholeOnTheGraph() {
    TMainHarness h(At(2024, 3, 1, 12), PlaceSeed(Latitude50));
    TDailyView& view = h.Windows->DailyView();
    view.Open();
    for (int d = 1; d <= 31; ++d) {
        h.State->SelectDate(2024, 3, d);
        const QImage graph =
            view.grab(TDailyView::GraphArea).toImage().convertToFormat(QImage::Format_RGB32);
        const int w = graph.width();
        bool lineAtEdge = false; // where a marker's own line may stand
        for (int minute : view.Samples().MarkerMinute)
            lineAtEdge |= minute >= 0 && std::abs(DailyMinuteX(minute) - w / 2) > w / 2 - 4;
        for (int y = 0; y < 13 && !lineAtEdge; ++y)
            for (int x : {0, 1, w - 2, w - 1})
                QVERIFY2(qGray(graph.pixel(x, y)) <= 120, qPrintable(QString::number(d)));
    }
}

QTEST_MAIN(TDailyViewTest)
#include "daily_view_test.moc"
