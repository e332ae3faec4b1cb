// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/printing.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "engine/whole_file.h"
#include "ui/common/messages.h"
#include "ui/common/pdf_check.h"
#include "ui/common/save_folder.h"
#include "ui/common/whole_file_qt.h"

namespace {

// Positions given in device pixels were laid out for a page of this resolution.
constexpr double ReferenceDpi = 300.0;

TPrintDialogs& Dialogs() {
    static TPrintDialogs dialogs;
    return dialogs;
}

bool PrinterInstalled() {
    if (Dialogs().PrinterInstalled) return Dialogs().PrinterInstalled();
    return !QPrinterInfo::availablePrinters().isEmpty();
}

bool AskPrinter(QPrinter& printer, QWidget* owner) {
    if (Dialogs().AskPrinter) return Dialogs().AskPrinter(printer, owner);
    QPrintDialog dialog(&printer, owner);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    return dialog.exec() == QDialog::Accepted;
}

QString AskPdfFileName(QWidget* owner, const QString& suggested) {
    if (Dialogs().AskPdfFileName) return Dialogs().AskPdfFileName(owner, suggested);
    QString path =
        QFileDialog::getSaveFileName(owner, QStringLiteral("No printer is installed: save as PDF"),
                                     suggested, QStringLiteral("PDF files (*.pdf)"));
    if (!path.isEmpty() && !path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    return path;
}

// The printer the user chose last, kept for the run so the dialog starts from the choice.
QPrinter& SharedPrinter() {
    static auto* printer = new QPrinter(QPrinter::HighResolution); // lives for the run
    return *printer;
}

QString FileFailureText(const QString& path, const QString& reason) {
    return QStringLiteral("The file %1 could not be written: %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

// Draws the page; false when the printer could not be opened or finished.
bool DrawOnPrinter(QPrinter& printer, const TPageDrawer& draw) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    TPageMetrics page = PageMetricsOf(printer);
    draw(painter, page);
    return painter.end();
}

// A PDF file is printed into a temporary file beside it and replaces it only when complete:
// a full disk or a file-size limit leaves the old file as it was and is reported.
TPrintOutcome PrintIntoPdfFile(QPrinter& printer, QWidget* owner, const TPageDrawer& draw) {
    const QString target = printer.outputFileName();
    TFileReplacement file(FileSystemPath(target));
    QString reason;
    if (file.Ready()) {
        const QString temporary = QFile::decodeName(file.TempPath().c_str());
        printer.setOutputFileName(temporary);
        const bool drawn = DrawOnPrinter(printer, draw);
        printer.setOutputFileName(target);
        if (drawn && PdfFileComplete(temporary) && file.Commit()) return TPrintOutcome::Printed;
        reason =
            drawn && !file.Error().empty()
                ? QString::fromLocal8Bit(file.Error().c_str())
                : QStringLiteral("it was cut off before its end; the disk may be full or the file "
                                 "too large.");
    } else {
        reason = QString::fromLocal8Bit(file.Error().c_str());
    }
    ShowMessage(owner, FileFailureText(target, reason));
    return TPrintOutcome::Failed;
}

TPrintOutcome PrintOnDevice(QPrinter& printer, QWidget* owner, const TPageDrawer& draw) {
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return PrintIntoPdfFile(printer, owner, draw);
    if (DrawOnPrinter(printer, draw)) return TPrintOutcome::Printed;
    ShowMessage(owner,
                QStringLiteral("The printer %1 could not be opened.").arg(printer.printerName()));
    return TPrintOutcome::Failed;
}

} // namespace

int TPageMetrics::K(double x) const {
    return static_cast<int>(std::trunc(PW * x / 1000.0));
}

int TPageMetrics::Px(int pixelsAt300) const {
    const int scaled = static_cast<int>(std::trunc(pixelsAt300 * Dpi / ReferenceDpi));
    return pixelsAt300 > 0 ? std::max(1, scaled) : scaled;
}

TPageMetrics PageMetricsOf(const QPrinter& printer) {
    TPageMetrics page;
    const QRect area = printer.pageLayout().paintRectPixels(printer.resolution());
    page.PW = area.width();
    page.PH = area.height();
    page.Dpi = printer.resolution();
    return page;
}

TPrintOutcome PrintOnPrinter(QPrinter& printer, QWidget* owner, const TPrintRequest& request,
                             const TPageDrawer& draw) {
    const QPageLayout::Orientation before = printer.pageLayout().orientation();
    printer.setPageOrientation(request.Orientation);
    printer.setDocName(request.DocumentName);
    const TPrintOutcome outcome = PrintOnDevice(printer, owner, draw);
    printer.setPageOrientation(before);
    return outcome;
}

TPrintOutcome PrintReport(QWidget* owner, const TPrintRequest& request, const TPageDrawer& draw) {
    if (PrinterInstalled()) {
        QPrinter& printer = SharedPrinter();
        // The dialog shows the report's orientation; the printer's own comes back after.
        const QPageLayout::Orientation before = printer.pageLayout().orientation();
        printer.setPageOrientation(request.Orientation);
        printer.setDocName(request.DocumentName);
        const bool accepted = AskPrinter(printer, owner);
        const TPrintRequest chosen{request.DocumentName, printer.pageLayout().orientation()};
        printer.setPageOrientation(before);
        if (!accepted) return TPrintOutcome::Cancelled;
        return PrintOnPrinter(printer, owner, chosen, draw);
    }
    const QString path = AskPdfFileName(owner, SuggestedPdfPath(request.DocumentName));
    if (path.isEmpty()) return TPrintOutcome::Cancelled;
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(path);
    return PrintOnPrinter(pdf, owner, request, draw);
}

QString SuggestedPdfPath(const QString& documentName) {
    return SuggestedSavePath(QStandardPaths::DocumentsLocation,
                             documentName + QStringLiteral(".pdf"));
}

void SetPrintDialogs(TPrintDialogs dialogs) {
    Dialogs() = std::move(dialogs);
}

TPdfPrintCapture::TPdfPrintCapture(QString pdfPath) : PdfPath(std::move(pdfPath)) {
    TPrintDialogs dialogs;
    dialogs.PrinterInstalled = [] { return false; };
    dialogs.AskPdfFileName = [this](QWidget*, const QString& suggested) {
        Suggested << suggested;
        return PdfPath;
    };
    SetPrintDialogs(dialogs);
}

TPdfPrintCapture::~TPdfPrintCapture() {
    SetPrintDialogs({});
}
