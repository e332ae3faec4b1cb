// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's data panels: phase names and the blue moon, the Moon's age, the order
// of the Moon's rows, the principal phases, the parameter panel switch, sidereal time and
// the placing of sexagesimal values.

#include <QPainter>
#include <QTest>

#include "engine/almanac_text.h"
#include "engine/date_time.h"
#include "engine/phase_name.h"
#include "tmain_fixture.h"
#include "ui/common/panels_draw.h"
#include "ui/main/panels_text.h"

namespace {

bool Bluish(const QImage& picture) {
    const QColor c = picture.pixelColor(picture.width() / 2, picture.height() / 2);
    return c.blue() > c.red() + 40;
}

// Columns of the image that hold any light pixel.
QList<int> LitColumns(const QImage& image) {
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (qGray(image.pixel(x, y)) > 100) {
                columns.append(x);
                break;
            }
    return columns;
}

} // namespace

class TMainPanelsTest : public QObject {
    Q_OBJECT
  private slots:
    void PhaseNameBounds();
    void PhaseNameBoundsInTheWindow();
    void BlueMoonFromTwelveHoursBefore();
    void MoonAgeTexts();
    void MoonRowsInTheOrderOfTheDay();
    void PhaseJumpSetsDayAndTime();
    void LibrationSwitchTwiceRestores();
    void SiderealTimeOfTheBook();
    void SexagesimalColumns();
    void TickFillsThePanels();
    void DisplayedMidnightAdvancesTheDay();
};

void TMainPanelsTest::PhaseNameBounds() {
    // Each bound belongs to the lower row.
    const std::pair<double, const char*> cases[] = {
        {0.0, "New Moon"},           {3.0, "New Moon"},          {3.01, "Waxing Crescent"},
        {23.0, "Waxing Crescent"},   {27.0, "First Quarter"},    {47.0, "Waxing Gibbous"},
        {47.01, "Full (Pink) Moon"}, {53.0, "Full (Pink) Moon"}, {53.01, "Waning Gibbous"},
        {73.0, "Waning Gibbous"},    {77.0, "Last Quarter"},     {97.0, "Waning Crescent"},
        {97.01, "New Moon"},
    };
    for (const auto& [p, name] : cases)
        QVERIFY2(MoonPhaseName(p, 4, false) == name, qPrintable(QString::number(p)));
}

void TMainPanelsTest::PhaseNameBoundsInTheWindow() {
    // The lunation from the new moon of 16 August 2023 to that of 15 September 2023. Two
    // minutes (0.005 % of a lunation) either side of 3, 53 and 97 % of it the window shows
    // the names on either side of each bound.
    TMainHarness first(At(2023, 8, 24, 12, 0));
    first.Main->Tick();
    const double prev = first.State->NewMoons().PrevNewMoon;
    const double next = first.State->NewMoons().NextNewMoon;
    QVERIFY(qAbs(prev - JulianDay({16, 8, 2023, 9, 38, 0, 0, 0})) < 0.01);
    QVERIFY(qAbs(next - JulianDay({15, 9, 2023, 1, 40, 0, 0, 0})) < 0.01);
    const TObserver& observer = first.State->Observer();
    const struct {
        double Percent;
        const char* Below;
        const char* Above;
    } bounds[] = {
        {3.0, "New Moon", "Waxing Crescent"},
        {53.0, "Full (", "Waning Gibbous"},
        {97.0, "Waning Crescent", "New Moon"},
    };
    for (const auto& b : bounds) {
        for (const int side : {-1, 1}) {
            const double ut = prev + b.Percent / 100.0 * (next - prev) + side * 120.0 / 86400.0;
            const TDateRec local = JDToDate(observer.LocalOf(ut));
            TMainHarness h(
                At(local.Year, local.Month, local.Day, local.Hour, local.Minute, local.Second));
            h.Main->Tick();
            const QString expected = side < 0 ? b.Below : b.Above;
            const QString where = QStringLiteral("%1 % %2: %3")
                                      .arg(b.Percent)
                                      .arg(side < 0 ? "less 2 min" : "plus 2 min")
                                      .arg(h.Main->PhaseName());
            QVERIFY2(h.Main->PhaseName().startsWith(expected), qPrintable(where));
            QVERIFY2(qAbs(h.Main->Moon().Lunation() - b.Percent) < 0.01, qPrintable(where));
            QVERIFY(h.StripText().endsWith(" - " + h.Main->PhaseName()));
        }
    }
}

void TMainPanelsTest::BlueMoonFromTwelveHoursBefore() {
    // August 2023 had two full moons, 1 August 18:31 and 31 August 01:35 UT (published).
    TMainHarness h(At(2023, 8, 30, 13, 0));
    TMain& m = *h.Main;
    const TMonthData& month = h.State->Month();
    QCOMPARE(month.PhaseCount, 5);
    QVERIFY(month.Phases[4].PhaseType == TPhaseType::FullMoon);
    QVERIFY(month.Phases[0].PhaseType == TPhaseType::FullMoon);
    QCOMPARE(month.Phases[4].When.Day, 31);
    QVERIFY(month.Phases[4].Minute >= 90 && month.Phases[4].Minute < 100); // 01:3x
    QVERIFY(!h.Label("imgPhase5")->isHidden());
    QVERIFY(m.PhaseList().IsBlueMoonPicture(4));
    QVERIFY(!m.PhaseList().IsBlueMoonPicture(0));
    QVERIFY(Bluish(h.Label("imgPhase5")->pixmap().toImage()));
    QVERIFY(!Bluish(h.Label("imgPhase1")->pixmap().toImage()));

    m.Tick(); // 12 h 35 min before the second full moon: the month's own name
    QCOMPARE(m.PhaseName(), QString("Full (Sturgeon) Moon"));
    h.Now = At(2023, 8, 30, 14, 0); // 11 h 35 min before
    m.Tick();
    QCOMPARE(m.PhaseName(), QString("Full (Blue) Moon"));
    QVERIFY(h.StripText().endsWith(" - Full (Blue) Moon"));

    // A month of four phases shows four rows.
    TMainHarness f(At(2023, 2, 10));
    QCOMPARE(f.State->Month().PhaseCount, 4);
    QVERIFY(f.Label("imgPhase5")->isHidden());
    QVERIFY(f.Label("lblPhase5")->isHidden());
    QVERIFY(!f.Label("lblPhase4")->isHidden());
}

void TMainPanelsTest::MoonAgeTexts() {
    const TMoonAgeText a = ::MoonAgeTexts(5.5417);
    QCOMPARE(QString::fromStdString(a.Days + a.Hours + a.Minutes), QString("05d13h00m"));
    const TMoonAgeText b = ::MoonAgeTexts(0.75);
    QCOMPARE(QString::fromStdString(b.Days + b.Hours + b.Minutes), QString("00d18h00m"));
    const TMoonAgeText c = ::MoonAgeTexts(29.5);
    QCOMPARE(QString::fromStdString(c.Days + c.Hours), QString("29d12h"));

    // 18 h 30 min after the new moon of 16 August 2023, 09:38 UT (published).
    TMainHarness h(At(2023, 8, 17, 4, 8));
    h.Main->Tick();
    QCOMPARE(QString::fromStdString(h.Main->MoonData().Texts().Age.Days), QString("00d"));
    QCOMPARE(QString::fromStdString(h.Main->MoonData().Texts().Age.Hours), QString("18h"));
    QCOMPARE(h.Main->PhaseName(), QString("New Moon"));

    // Twelve hours east of Greenwich the civil day of 16 August 2023 is past the new moon
    // (09:38 UT) by the afternoon while the universal time is still before it: the age runs
    // from the previous new moon, 17 July 2023, 18:32 UT.
    // 17:00 there is 05:00 UT.
    TMainHarness east(At(2023, 8, 16, 5, 0), Seed({{"TimeZone", "48"}}));
    QVERIFY(east.State->Observer().Zone == TObserverZone::Fixed(720, 0));
    east.Main->Tick();
    QCOMPARE(QString::fromStdString(east.Main->MoonData().Texts().Age.Days), QString("29d"));
    QCOMPARE(QString::fromStdString(east.Main->MoonData().Texts().Age.Hours), QString("10h"));
    QCOMPARE(east.Main->PhaseName(), QString("New Moon"));
}

void TMainPanelsTest::MoonRowsInTheOrderOfTheDay() {
    // Through a whole month in the window: every day's rows are in order, and a day without
    // a moonrise lists it first.
    TMainHarness h(At(2026, 3, 1, 12));
    TMain& m = *h.Main;
    bool sawMissingRise = false;
    for (int day = 1; day <= 31; ++day) {
        h.Click(h.DayCell(day));
        QStringList values, titles;
        for (int k = 1; k <= 3; ++k) {
            values << h.Label(QStringLiteral("lblMoonValue%1").arg(k))->text();
            titles << h.Label(k == 3 ? QString("lblMoontitle3")
                                     : QStringLiteral("lblMoonTitle%1").arg(k))
                          ->text();
        }
        const QString where =
            QStringLiteral("March 2026 day %1: %2").arg(day).arg(values.join(' '));
        QVERIFY2(values[0].toLatin1() <= values[1].toLatin1() &&
                     values[1].toLatin1() <= values[2].toLatin1(),
                 qPrintable(where));
        QStringList sorted = titles;
        sorted.sort();
        QCOMPARE(sorted, QStringList({"Moonrise:", "Moonset", "Transit:"}));
        if (titles.indexOf("Moonrise:") >= 0 && values[titles.indexOf("Moonrise:")] == "*****") {
            sawMissingRise = true;
            QCOMPARE(titles[0], QString("Moonrise:"));
        }
    }
    QVERIFY(sawMissingRise); // about once a lunation the Moon does not rise on a day
    Q_UNUSED(m);
}

void TMainPanelsTest::PhaseJumpSetsDayAndTime() {
    TMainHarness h(At(2026, 12, 7, 8, 30, 15));
    TMain& m = *h.Main;
    m.Tick();
    QLabel* phase = h.Label("lblPhase3");
    const QString caption = phase->text();
    h.Click(phase);
    QCOMPARE(int(h.Selected().Day), caption.mid(7, 2).toInt());
    const TDateRec shown = JDToDate(h.Selected().JD + h.State->ClockOffset());
    QCOMPARE(int(shown.Hour), caption.left(2).toInt());
    QCOMPARE(int(shown.Minute), caption.mid(3, 2).toInt());
    QCOMPARE(int(shown.Second), 15); // the seconds keep running from the clock
    m.Tick();
    QVERIFY(h.StripText().startsWith(caption.left(5)));
}

void TMainPanelsTest::LibrationSwitchTwiceRestores() {
    TMainHarness h(At(2026, 12, 7));
    const QStringList names = {"lblLunarAz", "lblLunarAlt", "lblLunarPA", "lblLunarPhA"};
    auto captions = [&] {
        QStringList out;
        for (const QString& n : names)
            out << h.Label(n)->text();
        return out;
    };
    QCOMPARE(captions(), QStringList({"Az.:", "Alt.:", "P.A.:", "Ph.A:"}));
    h.Click(h.Label("lblLibration"));
    QVERIFY(!h.Main->MoonData().ShowAzAlt());
    QCOMPARE(captions(), QStringList({"Co:", "lo:", "bo:", "PAA:"}));
    QCOMPARE(h.Label("lblLunarAz")->toolTip(), QString("Selenographic CoLongitude of the Sun"));
    QCOMPARE(h.Label("lblLunarPhA")->toolTip(),
             QString("Position angle of Moon's axis of rotation"));
    h.Click(h.Label("lblLibration"));
    QVERIFY(h.Main->MoonData().ShowAzAlt());
    QCOMPARE(captions(), QStringList({"Az.:", "Alt.:", "P.A.:", "Ph.A:"}));
    for (const QString& n : names)
        QVERIFY(h.Label(n)->toolTip().isEmpty());
}

void TMainPanelsTest::SiderealTimeOfTheBook() {
    // Meeus, ex. 12.b: 1987 April 10, 19:21:00 UT, mean sidereal time 8h34m57.0896s at
    // Greenwich. The panel shows seconds truncated after adding one second.
    const double ut = JulianDay({10, 4, 1987, 19, 21, 0, 0, 0.0});
    QCOMPARE(QString::fromStdString(LocalSiderealTimeText(ut, 0.0)), QString("08:34:58"));
    // At 77°03'56" West (Meeus, ex. 13.b): 8h34m57.09s − 5h08m15.73s = 3h26m41.36s.
    const double west = (77.0 + 3.0 / 60 + 56.0 / 3600) * 3.14159265358979323846 / 180.0;
    QCOMPARE(QString::fromStdString(LocalSiderealTimeText(ut, west)), QString("03:26:42"));
}

void TMainPanelsTest::SexagesimalColumns() {
    QImage image(120, 20, QImage::Format_RGB32);
    auto draw = [&](const TSexagesimal& v, TCoordMode mode) {
        image.fill(Qt::black);
        QPainter painter(&image);
        painter.setPen(Qt::white);
        painter.setFont(QFont("Arial", 9));
        DisplayCoord(painter, 30, mode, v, 2, 90, 62);
        return LitColumns(image);
    };
    const QList<int> positive = draw({"  ", "12", "34", "56"}, TCoordMode::Degrees);
    const QList<int> negative = draw({NegativeSign, "12", "34", "56"}, TCoordMode::Degrees);
    QVERIFY(positive.first() >= 30);
    QVERIFY(negative.first() >= 22 && negative.first() < 30); // the sign 8 pixels left
    const QList<int> threeDigits = draw({"  ", "123", "34", "56"}, TCoordMode::Degrees);
    QVERIFY(threeDigits.first() >= 23 && threeDigits.first() < 30); // moved 7 left
    const QList<int> hours = draw({"  ", "05", "07", "09"}, TCoordMode::Hours);
    QVERIFY(hours.first() >= 30);
    QVERIFY(hours.contains(62) || hours.contains(63));
    QVERIFY(hours.contains(90) || hours.contains(91));
}

void TMainPanelsTest::TickFillsThePanels() {
    TMainHarness h(At(2026, 12, 7, 21, 15, 30));
    TMain& m = *h.Main;
    m.Tick();
    const TSurfaceTexts& t = m.MoonData().Texts();
    QVERIFY(t.Visible.endsWith("%     "));
    const int km = t.Distance.left(t.Distance.indexOf(' ')).toInt();
    QVERIFY(km > 356000 && km < 407000);
    QVERIFY(t.Distance.endsWith(" km  "));
    QVERIFY(h.StripText().startsWith("21:15:30  07 December 2026 - "));
    QCOMPARE(t.ApogeeDistance.right(5), QString(" km  "));
    // Right ascension in hours below 24.
    QVERIFY(QString::fromStdString(t.RightAscension.Units).toInt() < 24);
    // The panel buffers are drawn (the Moon panel: light text on the dark ground).
    const QImage shot = m.grab().toImage();
    int light = 0;
    for (int y = 280; y < 347; ++y)
        for (int x = 315; x < 401; ++x)
            light += qGray(shot.pixel(x, y)) > 160 ? 1 : 0;
    QVERIFY(light > 40);
}

void TMainPanelsTest::DisplayedMidnightAdvancesTheDay() {
    // The clock shifted one hour ahead: the display passes midnight at clock 23:00:00.
    TMainHarness h(At(2024, 2, 28, 22, 59, 58));
    TMain& m = *h.Main;
    h.State->ShiftClockTo(23, 59, 58);
    QVERIFY(qAbs(h.State->ClockOffset() - 1.0 / 24.0) < 1e-12);
    m.Tick();
    h.Now = At(2024, 2, 28, 22, 59, 59);
    m.Tick();
    QCOMPARE(int(h.Selected().Day), 28);
    const double before = h.State->DisplayedJD();
    h.Now = At(2024, 2, 28, 23, 0, 0);
    m.Tick();
    // The displayed moment moves on by one second, not by a day and a second.
    QVERIFY(qAbs((h.State->DisplayedJD() - before) * 86400.0 - 1.0) < 0.01);
    QCOMPARE(int(h.Selected().Day), 29);
    QCOMPARE(int(h.Selected().Month), 2);
    QVERIFY2(h.StripText().startsWith("00:00:00  29 February 2024"), qPrintable(h.StripText()));
    QCOMPARE(m.Calendar().HighlightPos(), QPoint(h.DayCell(29)->x() - 1, h.DayCell(29)->y() - 3));

    // Without a shift, at the clock's midnight, into the next month and year; a day chosen
    // by hand advances too.
    TMainHarness n(At(2024, 12, 31, 23, 59, 59));
    n.Main->Tick();
    n.Now = At(2025, 1, 1, 0, 0, 0);
    n.Main->Tick();
    QCOMPARE(int(n.Selected().Year), 2025);
    QCOMPARE(int(n.Selected().Month), 1);
    QCOMPARE(int(n.Selected().Day), 1);
    QCOMPARE(n.Label("lblSelectedmonth")->text(), QString("January"));
    n.Click(n.DayCell(10));
    n.Now = At(2025, 1, 1, 23, 59, 59);
    n.Main->Tick();
    n.Now = At(2025, 1, 2, 0, 0, 0);
    n.Main->Tick();
    QCOMPARE(int(n.Selected().Day), 11);
    // Shown 22 hours ahead (two behind on the previous day): the display stays on the day
    // until the clock reaches 02:00.
    TMainHarness b(At(2025, 6, 1, 1, 59, 59));
    b.State->ShiftClockTo(23, 59, 59);
    b.Main->Tick();
    QCOMPARE(int(b.Selected().Day), 1);
    b.Now = At(2025, 6, 1, 2, 0, 0);
    b.Main->Tick();
    QCOMPARE(int(b.Selected().Day), 2);

    // After a jump to a phase 19 hours earlier in the day, the clock's own midnight is
    // not the display's: the displayed moment runs on smoothly.
    TMainHarness j(At(2025, 6, 1, 23, 59, 59));
    j.State->ShiftClockTo(4, 59, 59);
    QVERIFY(qAbs(j.State->ClockOffset() + 19.0 / 24.0) < 1e-12);
    j.Main->Tick();
    const double jBefore = j.State->DisplayedJD();
    j.Now = At(2025, 6, 2, 0, 0, 0);
    j.Main->Tick();
    QCOMPARE(int(j.Selected().Day), 1);
    QVERIFY(qAbs((j.State->DisplayedJD() - jBefore) * 86400.0 - 1.0) < 0.01);
    QVERIFY(j.StripText().startsWith("05:00:00  01 June 2025"));
}

QTEST_MAIN(TMainPanelsTest)
#include "tmain_panels_test.moc"
