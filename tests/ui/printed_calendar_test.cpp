// SPDX-License-Identifier: GPL-3.0-or-later
// The printed month calendar: the principal phases of a blue-moon month with their icons
// and published times, the phase drawings' shading by density and for the observer's own
// midnight, the weekday order, the times in the cells, the location line and the footer.

#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include "print_fixture.h"
#include "ui/common/printing.h"
#include "ui/reports/printed_calendar.h"

namespace {

// The printable width in points of the landscape PDF page the printing path writes.
double PrintableWidthPt() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageOrientation(QPageLayout::Landscape);
    return printer.pageLayout().paintRect(QPageLayout::Point).width();
}

struct TPrinted {
    QString Pdf;
    QList<TPdfWord> Words;
    QImage Page; // at 72 dpi: one pixel a point
    [[nodiscard]] const TPdfWord* Word(const QString& text, int nth = 0) const {
        for (const TPdfWord& w : Words)
            if (w.Text == text && nth-- == 0) return &w;
        return nullptr;
    }
    [[nodiscard]] int Grey(QPointF at) const { return qGray(Page.pixel(at.toPoint())); }
};

TPrinted PrintMonth(TMainHarness& h, const QString& pdf, int month, int year) {
    TPdfPrintCapture capture(pdf);
    TPrinted printed;
    if (PrintCalendar(nullptr, *h.State, month, year) != TPrintOutcome::Printed) return printed;
    printed.Pdf = pdf;
    printed.Words = PdfWords(pdf);
    printed.Page = PdfPage(pdf, 72);
    return printed;
}

// Where the day's cell lies: its number is printed k(3.86) in from the cell's top left.
QRectF DayCell(const TPrinted& page, int day, int daysInRowBelow = 7) {
    const double w = PrintableWidthPt();
    const TPdfWord* number = page.Word(QString::number(day));
    const TPdfWord* below = page.Word(QString::number(day + daysInRowBelow));
    if (!number || !below) return {};
    const double inset = w * 3.86 / 1000;
    return QRectF(number->Box.left() - inset, number->Box.top() - inset, w / 7,
                  below->Box.top() - number->Box.top());
}

// The share of dark pixels in the disc of the given radius about the centre.
double DarkShare(const TPrinted& page, QPointF centre, double radius) {
    int dark = 0, all = 0;
    for (int y = int(centre.y() - radius); y <= int(centre.y() + radius); ++y)
        for (int x = int(centre.x() - radius); x <= int(centre.x() + radius); ++x) {
            if (QLineF(centre, QPointF(x, y)).length() > radius) continue;
            ++all;
            dark += qGray(page.Page.pixel(x, y)) < 128;
        }
    return all ? double(dark) / all : 0.0;
}

TSeed Choices(const char* daily, const char* major, const char* moon, const char* sun,
              const char* density = "75", const char* zone = "24", const char* dayOrder = "0") {
    return Seed({{"PrintDailyPhases", daily},
                 {"PrintMajorPhases", major},
                 {"PrintLunarTimes", moon},
                 {"PrintSunTimes", sun},
                 {"PhaseDensity", density},
                 {"TimeZone", zone},
                 {"DayOrder", dayOrder}});
}

} // namespace

class TPrintedCalendarTest : public QObject {
    Q_OBJECT
  private slots:
    void BlueMoonMonthShowsFivePhases();
    void ShadingFollowsDensityAndLocalMidnight();
    void WeekdayOrderAndCellTimes();
    void HeaderAndFooterLines();
};

void TPrintedCalendarTest::BlueMoonMonthShowsFivePhases() {
    // August 2023 (UT): full moon 1st 18:32, last quarter 8th 10:28, new moon 16th 09:38,
    // first quarter 24th 09:57, full moon 31st 01:35 (US Naval Observatory).
    TMainHarness h(At(2023, 8, 10), Choices("False", "True", "False", "False"));
    QTemporaryDir folder;
    const TPrinted page = PrintMonth(h, folder.filePath("august.pdf"), 8, 2023);
    QVERIFY(!page.Page.isNull());
    for (const char* name : {"New", "First", "Full", "Last"})
        QVERIFY2(page.Word(name), name);
    const double w = PrintableWidthPt();
    const struct {
        const char* Published;
        int Day;
        int Kind; // 0 new, 1 first quarter, 2 full, 3 last quarter
    } phases[] = {
        {"18:32", 1, 2}, {"10:28", 8, 3}, {"09:38", 16, 0}, {"09:57", 24, 1}, {"01:35", 31, 2}};
    int fullMoons = 0;
    for (const auto& phase : phases) {
        // Within a minute of the published instant.
        const QTime published = QTime::fromString(phase.Published, "hh:mm");
        const TPdfWord* time = nullptr;
        for (const TPdfWord& word : page.Words) {
            const QTime t = QTime::fromString(word.Text, "hh:mm");
            if (t.isValid() && std::abs(t.secsTo(published)) <= 60) time = &word;
        }
        QVERIFY2(time, phase.Published);
        // In the bottom left corner of its day's cell.
        const QRectF cell = DayCell(page, phase.Day, phase.Day > 24 ? -7 : 7);
        const QRectF shown = phase.Day > 24 ? cell.translated(0, -cell.height() * 0) : cell;
        QVERIFY(time->Box.left() > shown.left() &&
                time->Box.left() < shown.left() + shown.width() / 3);
        // The icon left of the time: k(4.8) margin and the k(19.29) box.
        const QPointF centre(time->Box.left() - w * (4.8 + 19.29 / 2) / 1000,
                             time->Box.center().y());
        const double quarter = w * 19.29 / 1000 / 4;
        const int middle = page.Grey(centre);
        const int left = page.Grey(centre - QPointF(quarter, 0));
        const int right = page.Grey(centre + QPointF(quarter, 0));
        switch (phase.Kind) {
        case 0:
            QVERIFY2(middle < 60 && left < 60 && right < 60, phase.Published);
            break;
        case 2:
            QVERIFY2(middle > 200 && left > 200 && right > 200, phase.Published);
            ++fullMoons;
            break;
        case 1: // lit on the right in the north
            QVERIFY2(left < 60 && right > 200, phase.Published);
            break;
        case 3:
            QVERIFY2(left > 200 && right < 60, phase.Published);
            break;
        }
    }
    QCOMPARE(fullMoons, 2);
}

void TPrintedCalendarTest::ShadingFollowsDensityAndLocalMidnight() {
    QTemporaryDir folder;
    const double r = PrintableWidthPt() * 28.94 / 1000;
    // The new moon's day: at midnight the Moon is all but dark; its drawing takes the grey
    // of the density (100 black, 75 grey 63, 0 white).
    for (const auto& [density, grey] :
         {std::pair{"100", 0}, std::pair{"75", 63}, std::pair{"0", 255}}) {
        TMainHarness h(At(2023, 8, 10), Choices("True", "False", "False", "False", density));
        const TPrinted page =
            PrintMonth(h, folder.filePath(QString("d%1.pdf").arg(density)), 8, 2023);
        const QRectF cell = DayCell(page, 16);
        QVERIFY(cell.isValid());
        QVERIFY2(std::abs(page.Grey(cell.center()) - grey) <= 3,
                 qPrintable(QString("%1: %2").arg(density).arg(page.Grey(cell.center()))));
    }
    // The first quarter of 24 August 2023 at 09:57 UT. At UTC+12 the 24th begins at 12:00
    // UT on the 23rd, about 45 % lit; at UTC-12 at 12:00 UT on the 24th, about 55 %. Each
    // drawing is dark on the left (waxing, north), lit on the right.
    double dark[2] = {0, 0};
    int i = 0;
    for (const char* zone : {"48", "0"}) {
        TMainHarness h(At(2023, 8, 10), Choices("True", "False", "False", "False", "100", zone));
        const TPrinted page = PrintMonth(h, folder.filePath(QString("z%1.pdf").arg(zone)), 8, 2023);
        const QRectF cell = DayCell(page, 24);
        const QPointF c = cell.center();
        QVERIFY(page.Grey(c - QPointF(r * 0.7, 0)) < 60);
        QVERIFY(page.Grey(c + QPointF(r * 0.7, 0)) > 200);
        dark[i++] = DarkShare(page, c, r * 0.95);
    }
    QVERIFY2(dark[0] > 0.50 && dark[0] < 0.60, qPrintable(QString::number(dark[0])));
    QVERIFY2(dark[1] > 0.40 && dark[1] < 0.50, qPrintable(QString::number(dark[1])));
}

void TPrintedCalendarTest::WeekdayOrderAndCellTimes() {
    QTemporaryDir folder;
    // 1 August 2023 was a Tuesday: the third column from Sunday, the second from Monday.
    for (const auto& [order, first, column] :
         {std::tuple{"0", "Sunday", 2}, std::tuple{"1", "Monday", 1}}) {
        TMainHarness h(At(2023, 8, 10), Choices("True", "True", "True", "True", "75", "24", order));
        const TPrinted page =
            PrintMonth(h, folder.filePath(QString("o%1.pdf").arg(order)), 8, 2023);
        const QStringList lines = PdfLines(page.Pdf);
        const int header =
            int(std::find_if(lines.begin(), lines.end(),
                             [](const QString& l) { return l.contains("Wednesday"); }) -
                lines.begin());
        QVERIFY(header < lines.size());
        QCOMPARE(Words(lines[header]).first(), QString(first));
        const QRectF cell = DayCell(page, 1);
        QCOMPARE(int(std::round(cell.left() / (PrintableWidthPt() / 7))), column);
    }
    // Moon and Sun times in the cells; a Moon event missing on a day shows four stars.
    TMainHarness h(At(2023, 8, 10), Choices("True", "True", "True", "True"));
    const TPrinted page = PrintMonth(h, folder.filePath("times.pdf"), 8, 2023);
    int stars = 0, moonrise = 0, sunrise = 0;
    for (const TPdfWord& w : page.Words) {
        QVERIFY(w.Text != "*****");
        stars += w.Text == "****";
        moonrise += w.Text == "MR:";
        sunrise += w.Text == "SR:";
    }
    QCOMPARE(moonrise, 31);
    QCOMPARE(sunrise, 31);
    QVERIFY(stars >= 1);
    TMainHarness bare(At(2023, 8, 10), Choices("False", "False", "False", "False"));
    const TPrinted numbers = PrintMonth(bare, folder.filePath("bare.pdf"), 8, 2023);
    for (const TPdfWord& w : numbers.Words)
        QVERIFY2(w.Text != "MR:" && w.Text != "SR:" && w.Text != "New", qPrintable(w.Text));
}

void TPrintedCalendarTest::HeaderAndFooterLines() {
    TMainHarness h(At(2026, 3, 10), NewYorkSeed());
    QTemporaryDir folder;
    const TPrinted page = PrintMonth(h, folder.filePath("march.pdf"), 3, 2026);
    const QStringList lines = PdfLines(page.Pdf);
    QVERIFY(lines.join('\n').contains("March 2026"));
    // The blanks between the parts are the location line's own (see the printing test).
    QVERIFY(lines.join('\n').simplified().contains(
        "New York Latitude: 40° 30' 00\" North, Longitude: 074° 00' 00\" West"));
    QCOMPARE(lines.last().trimmed(), QString("Printed by Tidewell V2.62"));
    QCOMPARE(PdfPageCount(page.Pdf), 1);
}

QTEST_MAIN(TPrintedCalendarTest)
#include "printed_calendar_test.moc"
