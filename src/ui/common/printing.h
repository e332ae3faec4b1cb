// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one printing path of every printed report: the desktop's print dialog when a printer
// is installed (it also offers printing to a PDF file), a save-as-PDF dialog when none is,
// one page drawn by the report through a QPainter, and every failure reported in a message
// over the window that asked.
//
//   TPrintRequest request{QStringLiteral("Tidewell times March 2026"), QPageLayout::Landscape};
//   PrintReport(this, request, [&](QPainter& painter, TPageMetrics& page) {
//       DrawPageHeader(painter, page, settings, 3, 2026);
//       painter.drawText(page.K(30), page.Hh + page.Px(40), ...);
//       DrawPageFooter(painter, page);
//   });
//
// Positions on the page are fractions of the page width (K) or pixels of a 300 dpi page
// (Px), so a 600 or 1200 dpi printer or a PDF gets the same page. Fonts are given in points
// and follow the device's resolution by themselves.
//
// Tests replace the dialogs (SetPrintDialogs) and print into a PDF file.

#include <functional>

#include <QPageLayout>
#include <QString>
#include <QStringList>

class QPainter;
class QPrinter;
class QWidget;

// The page as the report draws on it, in device pixels.
struct TPageMetrics {
    int PW = 0;       // printable width
    int PH = 0;       // printable height
    double Dpi = 300; // device pixels per inch
    int Hh = 0;       // height of the page header, set by DrawPageHeader
    int Fh = 0;       // height of the page footer, set by DrawPageHeader

    // trunc(PW × x / 1000): a position in thousandths of the page width.
    [[nodiscard]] int K(double x) const;
    // A length given in pixels of a 300 dpi page, on this device (truncated, at least 1 for
    // a positive length, so a hairline stays visible).
    [[nodiscard]] int Px(int pixelsAt300) const;
};

// The metrics of a printer's page, for the orientation it is set to now.
[[nodiscard]] TPageMetrics PageMetricsOf(const QPrinter& printer);

struct TPrintRequest {
    QString DocumentName; // the job's name; also the PDF's suggested file name, ".pdf" added
    QPageLayout::Orientation Orientation = QPageLayout::Landscape;
};

// Draws the one page of a report.
using TPageDrawer = std::function<void(QPainter& painter, TPageMetrics& page)>;

enum class TPrintOutcome {
    Printed,   // the page went to the printer, or into the file and the file is complete
    Cancelled, // the user cancelled a dialog: nothing printed, nothing changed
    Failed,    // the printer could not be opened or the file not written whole (an old
               // file of that name is left as it was); the user was told
};

// Prints one page. With a printer installed the print dialog is shown (Cancel prints
// nothing); without one, the user is asked for a PDF file name, suggested in the Documents
// folder. The orientation is set for this report and the printer's own is restored after.
TPrintOutcome PrintReport(QWidget* owner, const TPrintRequest& request, const TPageDrawer& draw);

// Prints one page on a printer already chosen, in the request's orientation, and restores
// the printer's orientation afterwards. A PDF file replaces one of its name only when it was
// written whole. A printer that cannot be opened, or a file not written, is reported over
// owner.
TPrintOutcome PrintOnPrinter(QPrinter& printer, QWidget* owner, const TPrintRequest& request,
                             const TPageDrawer& draw);

// Where the save-as-PDF dialog starts: the Documents folder (the home folder when there is
// none) and the document's name.
[[nodiscard]] QString SuggestedPdfPath(const QString& documentName);

// The dialogs of the printing path. A member left empty uses the desktop's own.
struct TPrintDialogs {
    // Whether any printer is installed.
    std::function<bool()> PrinterInstalled;
    // The print dialog over owner for the printer; false when the user cancels.
    std::function<bool(QPrinter& printer, QWidget* owner)> AskPrinter;
    // The save-as-PDF dialog starting at the suggested path; empty when the user cancels.
    std::function<QString(QWidget* owner, const QString& suggestedPath)> AskPdfFileName;
};

// Replaces the dialogs (tests); SetPrintDialogs({}) restores the desktop's.
void SetPrintDialogs(TPrintDialogs dialogs);

// Tests: while one exists, no printer is installed and every request is saved, unasked,
// as the given PDF file (an empty path cancels the file dialog). The suggested paths are
// collected.
class TPdfPrintCapture {
  public:
    explicit TPdfPrintCapture(QString pdfPath);
    ~TPdfPrintCapture();
    TPdfPrintCapture(const TPdfPrintCapture&) = delete;
    TPdfPrintCapture& operator=(const TPdfPrintCapture&) = delete;

    QString PdfPath;
    QStringList Suggested;
};
