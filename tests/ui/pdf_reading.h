// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reading printed pages back: the text of a PDF as poppler's pdftotext lays it out, the
// words with their boxes, and a page rendered to a picture by pdftoppm.

#include <QFile>
#include <QImage>
#include <QList>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// The output of a poppler tool, or "" when it failed (the test then fails on its content).
inline QString RunPoppler(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The page's text with its layout (columns kept apart by blanks).
inline QString PdfLayoutText(const QString& pdf) {
    return RunPoppler(QStringLiteral("pdftotext"), {"-layout", pdf, "-"});
}

// The layout text's lines that are not blank.
inline QStringList PdfLines(const QString& pdf) {
    QStringList lines = PdfLayoutText(pdf).split('\n');
    lines.removeIf([](const QString& line) { return line.trimmed().isEmpty(); });
    return lines;
}

// The blank-separated words of a line.
inline QStringList Words(const QString& line) {
    return line.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

struct TPdfWord {
    QString Text;
    QRectF Box; // in points from the page's top left
};

// Every word with its box (pdftotext -bbox).
inline QList<TPdfWord> PdfWords(const QString& pdf) {
    const QString html = RunPoppler(QStringLiteral("pdftotext"), {"-bbox", pdf, "-"});
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<TPdfWord> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        const double x0 = m.captured(1).toDouble(), y0 = m.captured(2).toDouble();
        words.append({m.captured(5), QRectF(x0, y0, m.captured(3).toDouble() - x0,
                                            m.captured(4).toDouble() - y0)});
    }
    return words;
}

// The first page rendered at the resolution, or a null picture when pdftoppm failed.
inline QImage PdfPage(const QString& pdf, int dpi) {
    QTemporaryDir folder;
    const QString stem = folder.filePath(QStringLiteral("page"));
    RunPoppler(QStringLiteral("pdftoppm"), {"-png", "-r", QString::number(dpi), "-f", "1", "-l",
                                            "1", "-singlefile", pdf, stem});
    return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

inline int PdfPageCount(const QString& pdf) {
    const QString info = RunPoppler(QStringLiteral("pdfinfo"), {pdf});
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}
