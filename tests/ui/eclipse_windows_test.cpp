// SPDX-License-Identifier: GPL-3.0-or-later
// The eclipse screen and the eclipse report through the real windows: the total eclipse of
// 14 March 2025 at Flagstaff against the published circumstances, a penumbral eclipse's two
// rows, the screen hidden in a month without an eclipse, the rise and set of the eclipse's
// own day, the path's slope across longitude 0; the report against the almanac over
// 1900-2100 with both eclipses of March 1904, its year checks, keys, scrolling and the
// double click that opens the screen beside it.

#include <cmath>
#include <numbers>

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include "engine/eclipse_search.h"
#include "print_fixture.h"
#include "ui/common/look.h"
#include "ui/reports/eclipse_drawing.h"
#include "ui/reports/eclipse_report.h"
#include "ui/reports/eclipse_screen.h"
#include "window_input.h"

namespace {

// Flagstaff, Arizona: 35° 12' N, 111° 39' W, Mountain Standard Time all year.
TSeed FlagstaffSeed() {
    return Seed({{"LatDeg", "35"},
                 {"LatMin", "12"},
                 {"LatSec", "00"},
                 {"LatDir", "North"},
                 {"LongDeg", "111"},
                 {"LongMin", "39"},
                 {"LongSec", "00"},
                 {"LongDir", "West"},
                 {"TimeZone", "10"},
                 {"Location", "Flagstaff"}});
}
const QStringList FlagstaffArgs = {"--lat", "35.2", "--lon", "-111.65", "--zone", "-420"};

// The almanac's CSV rows (header first) for the arguments.
QList<QStringList> Almanac(const QStringList& args) {
    QProcess almanac;
    almanac.start(AlmanacProgram(), args);
    if (!almanac.waitForFinished(120000) || almanac.exitCode() != 0) return {};
    QList<QStringList> rows;
    for (const QString& line : QString::fromUtf8(almanac.readAllStandardOutput()).split('\n'))
        if (!line.trimmed().isEmpty()) rows << line.trimmed().split(',');
    return rows;
}

// A local JD from a published UT instant at Flagstaff.
double FlagstaffJD(int y, int mo, int d, int h, int mi, int s) {
    return JulianDay(MakeDate(y, mo, d, h, mi, s)) - 7.0 / 24.0;
}

QString Row(const TEclipse& screen, const QString& label) {
    for (const TEclipseRow& r : screen.Rows())
        if (r.Label == label) return r.Value;
    return QStringLiteral("<none>");
}

} // namespace

class TEclipseWindowsTest : public QObject {
    Q_OBJECT
  private slots:
    void TotalEclipseOfMarch2025();
    void PenumbralEclipseAndMonthsWithout();
    void RiseAndSetOfTheEclipseDay();
    void PathSlopeAcrossLongitudeZero();
    void ReportListsWhatTheAlmanacLists();
    void ReportYearsKeysAndScrolling();
    void TypeNamesStayInTheirColumn();
    void DoubleClickOpensTheScreenBeside();
    void LongSpansSharedOutGiveTheWholeSearch();
};

void TEclipseWindowsTest::TotalEclipseOfMarch2025() {
    TMainHarness h(At(2025, 3, 10, 19), FlagstaffSeed());
    h.Show();
    TEclipse& screen = h.Windows->Eclipse();
    // The main window's eclipse icon opens it.
    QLabel* icon = h.Label("imgEclipse");
    QVERIFY(icon && icon->isVisible());
    TMainHarness::Click(icon);
    QVERIFY(screen.isVisible());
    QCOMPARE(screen.Eclipse().Type, TEclipseType::Total);
    QVERIFY(screen.TypeText().startsWith("Total Eclipse ("));

    // Seven rows from 142 - 3h to 142 + 3h, a text height apart, in the order of the contacts.
    const int lh = screen.LineHeight();
    QVERIFY(lh >= 10);
    const QStringList labels = {
        "Moon enters Penumbra:", "Moon enters Umbra:", "Start of Totality:",  "Eclipse Maximum:",
        "End of Totality:",      "Moon exits Umbra:",  "Moon exits Penumbra:"};
    for (int i = 0; i < 7; ++i) {
        QCOMPARE(screen.Rows()[size_t(i)].Label, labels[i]);
        QCOMPARE(screen.Rows()[size_t(i)].Y, TEclipse::MaximumY + (i - 3) * lh);
    }
    // NASA's circumstances (Espenak): P1 03:57:28, U1 05:09:40, U2 06:26:06, greatest
    // 06:58:43, U3 07:31:26, U4 08:47:49, P4 10:00:09 UT; umbral magnitude 1.1784. The
    // book's truncated method agrees within a few minutes.
    const double published[7] = {
        FlagstaffJD(2025, 3, 14, 3, 57, 28), FlagstaffJD(2025, 3, 14, 5, 9, 40),
        FlagstaffJD(2025, 3, 14, 6, 26, 6),  FlagstaffJD(2025, 3, 14, 6, 58, 43),
        FlagstaffJD(2025, 3, 14, 7, 31, 26), FlagstaffJD(2025, 3, 14, 8, 47, 49),
        FlagstaffJD(2025, 3, 14, 10, 0, 9)};
    for (int i = 0; i < 7; ++i)
        QVERIFY2(std::fabs(screen.Eclipse().Contacts[size_t(i)] - published[i]) * 1440.0 < 4.0,
                 qPrintable(QString("contact %1").arg(i)));
    const QString magnitude = Row(screen, "Eclipse Magnitude:");
    QVERIFY2(QRegularExpression("^1\\.\\d{3}$").match(magnitude).hasMatch(), qPrintable(magnitude));
    QVERIFY(std::fabs(magnitude.toDouble() - 1.1784) < 0.015);

    // The drawing: the whole Moon inside the umbra, its disc painted in the umbra's colour
    // with its limb over it.
    const TEclipseLayout l = EclipseLayout(screen.Eclipse(), EclipseDrawingSize);
    QVERIFY(l.Slope.has_value());
    QVERIFY(std::hypot(l.MoonX - l.CentreX, l.MoonY - l.CentreY) + l.MoonRadius <= l.UmbraRadius);
    const QImage drawing = screen.grab(TEclipse::DrawingArea).toImage();
    const qreal r = drawing.devicePixelRatio();
    QCOMPARE(drawing.pixelColor(int((l.MoonX + 3) * r), int((l.MoonY - l.MoonRadius / 2) * r)),
             UmbraColour);
    QCOMPARE(drawing.pixelColor(int(5 * r), int(5 * r)), QColor(Qt::black));
    bool limb = false;
    for (int dx = -2; dx <= 0 && !limb; ++dx)
        limb = drawing.pixelColor(int((l.MoonX - l.MoonRadius - dx) * r), int((l.MoonY - 4) * r))
                   .red() > 80;
    QVERIFY(limb);
    QCOMPARE(drawing.pixelColor(l.CentreX, l.CentreY - l.UmbraRadius + 3), UmbraColour);
}

void TEclipseWindowsTest::PenumbralEclipseAndMonthsWithout() {
    // 25 March 2024: penumbral, magnitude 0.9577 (NASA).
    TMainHarness h(At(2024, 3, 10, 19), FlagstaffSeed());
    h.Show();
    TEclipse& screen = h.Windows->Eclipse();
    QVERIFY(screen.Open());
    QCOMPARE(screen.Eclipse().Type, TEclipseType::Penumbral);
    const int lh = screen.LineHeight();
    QCOMPARE(screen.Rows()[0].Label, QString("Moon enters Penumbra:"));
    QCOMPARE(screen.Rows()[0].Y, TEclipse::MaximumY - lh);
    QCOMPARE(screen.Rows()[1].Y, TEclipse::MaximumY);
    QCOMPARE(screen.Rows()[2].Label, QString("Moon exits Penumbra:"));
    QCOMPARE(screen.Rows()[2].Y, TEclipse::MaximumY + lh);
    QCOMPARE(Row(screen, "Moon enters Umbra:"), QString("<none>"));
    QVERIFY(std::fabs(Row(screen, "Eclipse Magnitude:").toDouble() - 0.9577) < 0.015);

    // February 2018 has no full moon at all: the screen goes, whoever changed the month.
    QVERIFY(h.State->SelectDate(2018, 2, 10));
    QVERIFY(!screen.isVisible());
    QVERIFY(!screen.Open());
    // The screen follows another eclipse month while open; a month whose full moon misses
    // the shadow (April 2024) hides it too.
    QVERIFY(h.State->SelectDate(2025, 3, 1));
    QVERIFY(screen.Open());
    QCOMPARE(screen.Eclipse().Type, TEclipseType::Total);
    QVERIFY(h.State->SelectDate(2025, 9, 1));
    QVERIFY(screen.isVisible());
    QCOMPARE(screen.DateText(), QString("07 September 2025"));
    QVERIFY(h.State->SelectDate(2024, 4, 1));
    QVERIFY(h.State->Month().Eclipses.empty());
    QVERIFY(!screen.isVisible());
}

void TEclipseWindowsTest::RiseAndSetOfTheEclipseDay() {
    // 1 September 2025 selected, the icon shows 7 September's eclipse: the rise and set
    // rows are the 7th's.
    TMainHarness h(At(2025, 9, 1, 19), FlagstaffSeed());
    h.Show();
    TEclipse& screen = h.Windows->Eclipse();
    QVERIFY(screen.Open());
    QCOMPARE(screen.Eclipse().MaxDate.Day, 7);
    const QList<QStringList> almanac = Almanac(FlagstaffArgs + QStringList{"riseset", "2025", "9"});
    QVERIFY2(almanac.size() == 31, qPrintable(AlmanacProgram())); // the header and 30 days
    // riseset columns: day, moon rise, transit, set, illumination, sun rise, transit, set ...
    const QStringList& day7 = almanac[7];
    const QStringList& day1 = almanac[1];
    QCOMPARE(Row(screen, "Moonrise:"), day7[1]);
    QCOMPARE(Row(screen, "Moonset:"), day7[3]);
    QCOMPARE(Row(screen, "Sunrise:"), day7[5]);
    QCOMPARE(Row(screen, "Sunset:"), day7[7]);
    QVERIFY(day1[1] != day7[1]);
    // A double click on the date selects the eclipse's minute in the main window.
    DoubleClickAt(screen, {TEclipse::DrawingArea.left() / 2, 82}); // on the date
    QCOMPARE(h.Selected().Day, 7);
    const TDateRec& m = screen.Eclipse().MaxDate;
    const double maxMinute = JulianDay(MakeDate(m.Year, m.Month, m.Day, m.Hour, m.Minute));
    QVERIFY(std::fabs(h.State->DisplayedJD() - maxMinute) * 1440.0 < 1.0);
}

void TEclipseWindowsTest::PathSlopeAcrossLongitudeZero() {
    // The Moon passes longitude 0 between the first and last penumbral contacts: 0.02 rad
    // of longitude for 0.002 of latitude, a slope of 0.1, not -0.002 / (2 pi - 0.02).
    EclipseCircumstances e;
    e.Type = TEclipseType::Partial;
    e.PenRadius = 1.28;
    e.UmbRadius = 0.74;
    e.Gamma = 0.5;
    e.MoonLong[ContactP1] = 2 * std::numbers::pi - 0.01;
    e.MoonLong[ContactP4] = 0.01;
    e.MoonLat[ContactP1] = -0.001;
    e.MoonLat[ContactP4] = 0.001;
    QVERIFY(EclipsePathSlope(e).has_value());
    QVERIFY(std::fabs(*EclipsePathSlope(e) - 0.1) < 1e-9);
    // And the other way round, the Moon's longitude decreasing through 0 never happens,
    // but the reduction is symmetric.
    std::swap(e.MoonLong[ContactP1], e.MoonLong[ContactP4]);
    QVERIFY(std::fabs(*EclipsePathSlope(e) + 0.1) < 1e-9);

    // Without a slope (no positions) the previous picture goes: shadows, Moon, no path.
    EclipseCircumstances flat = e;
    flat.MoonLong = {};
    flat.MoonLat = {};
    QVERIFY(!EclipsePathSlope(flat).has_value());
    QImage surface(EclipseDrawingSize, QImage::Format_RGB32);
    surface.fill(Qt::red);
    DrawEclipse(surface, flat);
    for (int y = 0; y < surface.height(); y += 3)
        for (int x = 0; x < surface.width(); x += 3)
            QVERIFY(surface.pixelColor(x, y) != QColor(Qt::red));
    const TEclipseLayout l = EclipseLayout(flat, EclipseDrawingSize);
    QCOMPARE(surface.pixelColor(l.CentreX + l.PenumbraRadius - 3, l.CentreY + 5), PenumbraColour);
}

void TEclipseWindowsTest::ReportListsWhatTheAlmanacLists() {
    TMainHarness h(At(2025, 3, 10, 19), FlagstaffSeed());
    h.Show();
    TEclipseReport& report = h.Windows->EclipseReport();
    report.Open();
    report.SetYears("1900", "2100");
    report.CalculateClick();
    const QList<QStringList> almanac =
        Almanac(FlagstaffArgs + QStringList{"eclipses", "1900", "2100"});
    QVERIFY(almanac.size() > 400);
    const QStringList header = almanac[0];
    const int type = header.indexOf("EclipseType"), date = header.indexOf("DateText"),
              max = header.indexOf("MaxTime"), vis = header.indexOf("Visibility");
    QCOMPARE(int(report.Entries().size()), almanac.size() - 1);
    for (int i = 1; i < almanac.size(); ++i) {
        const TEclipseListEntry& e = report.Entries()[size_t(i - 1)];
        QCOMPARE(QString::number(int(e.Type)), almanac[i][type]);
        QCOMPARE(e.Text, almanac[i][max] + "  " + almanac[i][date]);
        QCOMPARE(e.Visibility, almanac[i][vis]);
    }
    // Both full moons of March 1904 are eclipsed (penumbral, 2 and 31 March UT), in time
    // order; seven hours behind Greenwich the first falls on the evening of 1 March.
    int march1904 = 0;
    double last = 0.0;
    for (const TEclipseListEntry& e : report.Entries()) {
        QVERIFY(e.Date.JD > last);
        last = e.Date.JD;
        if (e.Date.Year == 1904 && e.Date.Month == 3) {
            QCOMPARE(e.Type, TEclipseType::Penumbral);
            QVERIFY(march1904 == 0 ? e.Date.Day <= 2 : e.Date.Day >= 30);
            ++march1904;
        }
    }
    QCOMPARE(march1904, 2);
}

void TEclipseWindowsTest::ReportYearsKeysAndScrolling() {
    TMainHarness h(At(2025, 3, 10, 19), FlagstaffSeed());
    h.Show();
    TEclipseReport& report = h.Windows->EclipseReport();
    report.Open();
    QLineEdit* from = Control<QLineEdit>(report, "txtFromYear");
    QCOMPARE(from->text(), QString("2025"));
    QCOMPARE(Control<QLineEdit>(report, "txtToYear")->text(), QString("2025"));
    report.CalculateClick();
    const auto one = report.Entries();
    QVERIFY(!one.empty());
    for (const TEclipseListEntry& e : one)
        QCOMPARE(int(e.Date.Year), 2025);
    const QPoint firstRow(60, TEclipseReport::ListTop + 2);
    const QPoint overList(100, 120);
    WheelAt(report, overList, -120); // all in view: nothing to scroll
    QCOMPARE(report.EntryAt(firstRow), 0);

    // Digits and Backspace only, four at most.
    from->clear();
    from->setFocus();
    QTest::keyClicks(from, "1a9-0 0x7");
    QCOMPARE(from->text(), QString("1900"));
    QTest::keyClick(from, Qt::Key_Backspace);
    QCOMPARE(from->text(), QString("190"));

    // Faults: a message, the list as it was.
    const QString order = "The \"From\" date must be less than the \"To\" date.";
    const struct {
        const char* From;
        const char* To;
        bool Order;
    } faults[] = {
        {"2030", "2020", true}, {"", "2020", false}, {"0", "5", false}, {"10", "", false}};
    for (const auto& f : faults) {
        report.SetYears(f.From, f.To);
        const int before = h.Messages.Texts.size();
        report.CalculateClick();
        QCOMPARE(h.Messages.Texts.size(), before + 1);
        if (f.Order)
            QCOMPARE(h.Messages.Texts.last(), order);
        else
            QVERIFY(h.Messages.Texts.last().contains("1 to 9999"));
        QCOMPARE(int(report.Entries().size()), int(one.size()));
    }

    // More than twelve: the scroll bar runs over the rest; the wheel and the bar scroll; at
    // position 1 the first row shown is the second eclipse, on grey.
    report.SetYears("2000", "2010");
    report.CalculateClick();
    const int n = int(report.Entries().size());
    QVERIFY(n > 13);
    for (int notch = 0; notch < n; ++notch)
        WheelAt(report, overList, -120);
    QCOMPARE(report.EntryAt(firstRow), n - 12);
    WheelAt(report, overList, 120 * n);
    QCOMPARE(report.EntryAt(firstRow), 0);
    QScrollBar* bar = Control<QScrollBar>(report, "ScrollBar1");
    ClickAt(report, bar->geometry().bottomLeft() + QPoint(bar->width() / 2, -4)); // its arrow
    QCOMPARE(report.EntryAt(firstRow), 1);
    const QImage window = report.grab().toImage();
    QCOMPARE(window.pixelColor(TEclipseReport::ListLeft + 3, TEclipseReport::ListTop + 2),
             StripeLight);
    QCOMPARE(window.pixelColor(TEclipseReport::ListLeft + 3, TEclipseReport::ListTop + 18),
             StripeDark);
    QCOMPARE(report.EntryAt({60, TEclipseReport::ListTop + 2}), 1);
    WheelAt(report, overList, -120);
    QCOMPARE(report.EntryAt(firstRow), 4);
    // A touchpad's small steps scroll once they make a notch.
    for (int i = 0; i < 4; ++i) {
        WheelAt(report, overList, -30);
        QCOMPARE(report.EntryAt(firstRow), i < 3 ? 4 : 7);
    }

    // Another time zone while the list is shown: searched again, every maximum an hour later
    // (UTC-7 to UTC-6), the rows in view kept.
    const auto before = report.Entries();
    h.ChangeSettings([](TSettings& s) { s.TimeZone = 12; });
    QCOMPARE(report.EntryAt(firstRow), 7);
    QCOMPARE(report.Entries().size(), before.size());
    for (size_t i = 0; i < before.size(); ++i)
        QVERIFY(std::fabs(report.Entries()[i].Date.JD - before[i].Date.JD - 1.0 / 24.0) < 1e-6);
}

void TEclipseWindowsTest::DoubleClickOpensTheScreenBeside() {
    TMainHarness h(At(2025, 3, 10, 19), FlagstaffSeed());
    h.Show();
    TEclipseReport& report = h.Windows->EclipseReport();
    TEclipse& screen = h.Windows->Eclipse();
    report.Open();
    report.SetYears("1904", "1904");
    report.CalculateClick();
    QVERIFY(report.Entries().size() >= 2);
    QCOMPARE(report.Entries()[1].Date.Day, 31);
    // Below the last row: nothing.
    const int rows = report.VisibleRows();
    QTest::mouseDClick(&report, Qt::LeftButton, Qt::NoModifier,
                       {60, TEclipseReport::ListTop + 16 * rows + 4});
    QVERIFY(!screen.isVisible());
    // The second row, 31 March 1904: the main window selects it and the screen shows that
    // eclipse (not the month's first), the pair side by side under the main window.
    QTest::mouseDClick(&report, Qt::LeftButton, Qt::NoModifier, {60, TEclipseReport::ListTop + 20});
    QVERIFY(screen.isVisible());
    QCOMPARE(h.Selected().Year, 1904);
    QCOMPARE(h.Selected().Month, 3);
    QCOMPARE(h.Selected().Day, 31);
    QCOMPARE(screen.DateText(), QString("31 March 1904"));
    QCOMPARE(screen.MaximumText(), report.Entries()[1].Text);
    // On the screen, side by side as far as it allows; a new search leaves the screen open.
    const QRect area = h.Main->screen()->availableGeometry();
    QVERIFY(area.contains(screen.frameGeometry()) && area.contains(report.frameGeometry()));
    report.CalculateClick();
    QVERIFY(screen.isVisible());
}

void TEclipseWindowsTest::LongSpansSharedOutGiveTheWholeSearch() {
    // A long span is searched in pieces at once; the pieces must add up to the one search.
    TObserver observer;
    observer.Zone = TObserverZone::Fixed(-420, 0);
    const auto shared = EclipsesInYears(1, 2400, observer);
    const auto whole = LunarEclipsesInYears(1, 2400, observer);
    QCOMPARE(shared.size(), whole.size());
    for (size_t i = 0; i < whole.size(); ++i) {
        QCOMPARE(shared[i].Type, whole[i].Type);
        QCOMPARE(shared[i].Visibility, whole[i].Visibility);
        QCOMPARE(shared[i].Contacts, whole[i].Contacts);
    }
}

// "Penumbral Eclipse" is the widest type name; its white ink must end before the time column
// (aqua, 100 pixels into the list) begins.
void TEclipseWindowsTest::TypeNamesStayInTheirColumn() {
    TMainHarness h(At(2025, 3, 10, 19), FlagstaffSeed());
    h.Show();
    TEclipseReport& report = h.Windows->EclipseReport();
    report.Open();
    report.SetYears("2001", "2006");
    report.CalculateClick();
    const QImage window = report.grab().toImage();
    constexpr int TimeColumn = TEclipseReport::ListLeft + 100;
    int penumbralRows = 0;
    const auto& entries = report.Entries();
    for (int r = 0; r < 12 && r < int(entries.size()); ++r) {
        if (entries[size_t(r)].Type != TEclipseType::Penumbral) continue;
        ++penumbralRows;
        for (int x = TimeColumn - 3; x < TimeColumn; ++x)
            for (int y = TEclipseReport::ListTop + 16 * r;
                 y < TEclipseReport::ListTop + 16 * (r + 1); ++y)
                QVERIFY2(
                    window.pixelColor(x, y).red() < 110,
                    qPrintable(QString("white ink at (%1, %2) in row %3").arg(x).arg(y).arg(r)));
    }
    QVERIFY(penumbralRows >= 2);
}

QTEST_MAIN(TEclipseWindowsTest)
#include "eclipse_windows_test.moc"
