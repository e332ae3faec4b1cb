// SPDX-License-Identifier: GPL-3.0-or-later
// The printing path: a PDF offered when no printer is installed, the print dialog's
// Cancel, failures reported, the orientation restored, the page the same at any resolution;
// the page header and footer and dates in the stored date format.

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "engine/date_time.h"
#include "pdf_reading.h"
#include "settings/settings.h"
#include "ui/common/date_format.h"
#include "ui/common/fonts.h"
#include "ui/common/messages.h"
#include "ui/common/page_frame.h"
#include "ui/common/panels_draw.h"
#include "ui/common/printing.h"

namespace {

// A page with one word at a place given in thousandths of the width and 300 dpi pixels.
TPageDrawer Marker(const QString& word, int* calls = nullptr) {
    return [word, calls](QPainter& painter, TPageMetrics& page) {
        if (calls) ++*calls;
        painter.setFont(PageFont(TimesFamily, 12));
        DrawTextAt(painter, page.K(500), page.Px(600), word);
    };
}

} // namespace

class TPrintingTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { InstallFontSubstitutions(); }
    void WithoutPrinterAPdfIsOffered();
    void PrintDialogCancelAndOrientation();
    void FailuresAreReported();
    void PageIsTheSameAtEveryResolution();
    void HeaderAndFooter();
    void DatesInTheStoredFormat();
};

void TPrintingTest::WithoutPrinterAPdfIsOffered() {
    QTemporaryDir folder;
    const QString pdf = folder.filePath("out.pdf");
    {
        TPdfPrintCapture capture(pdf);
        int calls = 0;
        QCOMPARE(PrintReport(nullptr, {"Tidewell times March 2026", QPageLayout::Landscape},
                             Marker("Halley", &calls)),
                 TPrintOutcome::Printed);
        QCOMPARE(calls, 1);
        QCOMPARE(capture.Suggested.size(), 1);
        QCOMPARE(QFileInfo(capture.Suggested[0]).fileName(),
                 QString("Tidewell times March 2026.pdf"));
    }
    // The suggestion: the Documents folder, the home folder while there is none (never the
    // working folder).
    const QByteArray home = qgetenv("HOME");
    QTemporaryDir user;
    qputenv("HOME", QFile::encodeName(user.path()));
    for (const bool documents : {false, true}) {
        const QString documentsFolder = user.filePath("Documents");
        if (documents) QVERIFY(QDir().mkdir(documentsFolder));
        QCOMPARE(QFileInfo(SuggestedPdfPath("Tidewell times")).absoluteFilePath(),
                 QDir(documents ? documentsFolder : user.path()).filePath("Tidewell times.pdf"));
    }
    qputenv("HOME", home);
    QCOMPARE(PdfPageCount(pdf), 1);
    QVERIFY(PdfLayoutText(pdf).contains("Halley"));
    // A landscape page is wider than high.
    const QImage page = PdfPage(pdf, 20);
    QVERIFY(page.width() > page.height());

    // Cancelling the file dialog writes nothing and draws nothing.
    const QString none = folder.filePath("none.pdf");
    TPdfPrintCapture cancel(QString{});
    int calls = 0;
    QCOMPARE(
        PrintReport(nullptr, {"Tidewell calendar", QPageLayout::Landscape}, Marker("x", &calls)),
        TPrintOutcome::Cancelled);
    QCOMPARE(calls, 0);
    QVERIFY(!QFileInfo::exists(none));
}

void TPrintingTest::PrintDialogCancelAndOrientation() {
    QTemporaryDir folder;
    const QString pdf = folder.filePath("dialog.pdf");
    QPrinter* seen = nullptr;
    QPageLayout::Orientation shownInDialog = QPageLayout::Portrait;
    bool accept = false;
    TPrintDialogs dialogs;
    dialogs.PrinterInstalled = [] { return true; };
    dialogs.AskPrinter = [&](QPrinter& printer, QWidget*) {
        seen = &printer;
        shownInDialog = printer.pageLayout().orientation();
        // The dialog's "Print to File (PDF)".
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return accept;
    };
    SetPrintDialogs(dialogs);
    int calls = 0;
    QCOMPARE(PrintReport(nullptr, {"Cancelled", QPageLayout::Landscape}, Marker("x", &calls)),
             TPrintOutcome::Cancelled);
    QCOMPARE(calls, 0);
    QVERIFY(!QFileInfo::exists(pdf));
    QVERIFY(seen);
    QCOMPARE(shownInDialog, QPageLayout::Landscape);
    QCOMPARE(seen->pageLayout().orientation(), QPageLayout::Portrait);

    accept = true;
    QCOMPARE(PrintReport(nullptr, {"Printed", QPageLayout::Landscape}, Marker("Meeus", &calls)),
             TPrintOutcome::Printed);
    QCOMPARE(calls, 1);
    QVERIFY(PdfLayoutText(pdf).contains("Meeus"));
    const QImage page = PdfPage(pdf, 20);
    QVERIFY(page.width() > page.height());
    // The printer's own orientation is back for the next report.
    QCOMPARE(seen->pageLayout().orientation(), QPageLayout::Portrait);
    SetPrintDialogs({});
}

void TPrintingTest::FailuresAreReported() {
    TMessageCapture messages;
    const QString unwritable = QDir::temp().filePath("no-such-folder-tidewell/x/out.pdf");
    TPdfPrintCapture capture(unwritable);
    QCOMPARE(PrintReport(nullptr, {"Tidewell times", QPageLayout::Landscape}, Marker("x")),
             TPrintOutcome::Failed);
    QCOMPARE(messages.Texts.size(), 1);
    QVERIFY2(messages.Texts[0].contains("out.pdf"), qPrintable(messages.Texts[0]));
}

void TPrintingTest::PageIsTheSameAtEveryResolution() {
    // Unit rules: k(x) truncates; 300 dpi pixels scale with the resolution.
    TPageMetrics page;
    page.PW = 3299;
    QCOMPARE(page.K(28.94), 95); // 3299 × 28.94 / 1000 = 95.47
    page.Dpi = 1200;
    QCOMPARE(page.Px(40), 160);
    QCOMPARE(page.Px(1), 4);
    page.Dpi = 72;
    QCOMPARE(page.Px(1), 1); // a hairline never vanishes

    QTemporaryDir folder;
    QList<QRectF> boxes;
    for (const int dpi : {300, 600, 1200}) {
        QPrinter printer;
        printer.setResolution(dpi);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = folder.filePath(QString("page-%1.pdf").arg(dpi));
        printer.setOutputFileName(pdf);
        QCOMPARE(PrintOnPrinter(printer, nullptr, {"r", QPageLayout::Landscape}, Marker("Danjon")),
                 TPrintOutcome::Printed);
        const QList<TPdfWord> words = PdfWords(pdf);
        QCOMPARE(words.size(), 1);
        boxes << words[0].Box;
    }
    // In points on the paper the word lies at the same place and size (within a point).
    for (const QRectF& box : boxes) {
        QVERIFY2(std::abs(box.left() - boxes[0].left()) < 1.0,
                 qPrintable(QString::number(box.left())));
        QVERIFY(std::abs(box.top() - boxes[0].top()) < 1.0);
        QVERIFY(std::abs(box.height() - boxes[0].height()) < 1.0);
    }
    // 600 pixels at 300 dpi are two inches below the printable area's top (144 points),
    // plus the margin.
    QVERIFY(boxes[0].top() > 144.0 && boxes[0].top() < 144.0 + 72.0);
}

void TPrintingTest::HeaderAndFooter() {
    TSettings settings = DefaultSettings();
    settings.Location = "Flagstaff";
    settings.Position.Latitude = {35, 11, 53};
    settings.Position.Longitude = {111, 39, 3};
    const double march = JulianDayOf(2026, 3, 1);
    const double april = JulianDayOf(2026, 4, 1);
    const auto line = [&](double from, double to) { return LocationLine(settings, from, to); };
    QCOMPARE(
        line(march, april),
        QString("Flagstaff     Latitude: 35° 11' 53\" North,   Longitude: 111° 39' 03\" West"));
    settings.Location.clear();
    QVERIFY(line(march, april).startsWith("Latitude: 35°"));
    // Never cut: the longest location keeps both hemispheres and the whole longitude.
    settings.Location = std::string(64, 'A');
    QVERIFY(line(march, april).endsWith("Longitude: 111° 39' 03\" West"));
    // A named zone: the place with the abbreviations the page's days keep.
    settings.TimeZoneName = "America/New_York";
    settings.Location = "New York";
    QVERIFY(line(march, april).startsWith("New York (EST/EDT)     Latitude"));
    settings.Location.clear(); // the zone's city
    QVERIFY(line(april, april + 30).startsWith("New York (EDT)     Latitude"));
    settings.TimeZoneName.clear();
    // No home page yet: no parentheses, no made-up address.
    QCOMPARE(PageFooterText(), QString("Printed by Tidewell V2.62"));

    settings.Location = "Flagstaff";
    QTemporaryDir folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath("header.pdf"));
    TPageMetrics seen;
    QCOMPARE(PrintOnPrinter(printer, nullptr, {"h", QPageLayout::Landscape},
                            [&](QPainter& painter, TPageMetrics& page) {
                                DrawPageHeader(painter, page, settings, 3, 2026);
                                DrawPageFooter(painter, page);
                                seen = page;
                            }),
             TPrintOutcome::Printed);
    const QStringList lines = PdfLines(folder.filePath("header.pdf"));
    QVERIFY(lines.size() >= 3);
    QCOMPARE(lines[0].trimmed(), QString("March 2026"));
    QVERIFY2(lines[1].simplified().startsWith("Flagstaff Latitude: 35° 11' 53\" North, Longitude"),
             qPrintable(lines[1]));
    QCOMPARE(lines.last().trimmed(), QString("Printed by Tidewell V2.62"));
    // The heights: the title's three lines above the report, the footer's two below; the
    // location line between the title and the report.
    QVERIFY(seen.Hh > seen.Px(3 * 24 * 300 / 72) * 9 / 10);
    QVERIFY(seen.Fh > 0 && seen.Fh < seen.Hh);
}

void TPrintingTest::DatesInTheStoredFormat() {
    const TDateRec date = MakeDate(2026, 3, 7, 13, 45);
    QCOMPARE(FormatDate(date, "dd/mm/yyyy"), QString("07/03/2026"));
    QCOMPARE(FormatDate(date, "mm/dd/yyyy"), QString("03/07/2026"));
    QCOMPARE(FormatDate(date, "yyyy-mm-dd"), QString("2026-03-07"));
    QCOMPARE(FormatDate(date, "d.m.yy"), QString("7.3.26"));
    QCOMPARE(FormatDate(date, "DD/MM/YYYY"), QString("07/03/2026"));
    // Letters that are no field stay as they are; a blank pattern is the default.
    QCOMPARE(FormatDate(date, "dd 'h' mm"), QString("07 'h' 03"));
    QCOMPARE(FormatDate(date, ""), QString("07/03/2026"));
}

QTEST_MAIN(TPrintingTest)
#include "printing_test.moc"
