// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/pdf_check.h"

#include <QByteArrayView>
#include <QFile>

namespace {

// One cross-reference entry is 20 bytes: "0000012345 00000 n \n" (PDF 1.7, 7.5.4).
constexpr qsizetype XrefEntryBytes = 20;

// The offset after "startxref" when the file ends "startxref N %%EOF"; -1 otherwise.
qsizetype CrossReferenceOffset(QByteArrayView pdf) {
    const qsizetype start = pdf.lastIndexOf(QByteArrayView("startxref"));
    if (start < 0) return -1;
    const QList<QByteArray> tail = pdf.sliced(start).toByteArray().simplified().split(' ');
    if (tail.size() != 3 || tail[2] != "%%EOF") return -1;
    bool ok = false;
    const qsizetype offset = tail[1].toLongLong(&ok);
    return ok && offset >= 0 && offset < start ? offset : -1;
}

// The line that starts at `at`, and `at` moved past it.
QByteArray TakeLine(QByteArrayView pdf, qsizetype& at) {
    const qsizetype end = pdf.indexOf('\n', at);
    if (end < 0) return {};
    const QByteArray line = pdf.sliced(at, end - at).toByteArray().trimmed();
    at = end + 1;
    return line;
}

bool ObjectAt(QByteArrayView pdf, qsizetype offset, qsizetype number) {
    if (offset < 0 || offset >= pdf.size()) return false;
    return pdf.sliced(offset).startsWith(QByteArray::number(number) + " 0 obj");
}

} // namespace

bool PdfFileComplete(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    const QByteArrayView pdf(bytes);
    if (!pdf.startsWith(QByteArrayView("%PDF-"))) return false;
    qsizetype at = CrossReferenceOffset(pdf);
    if (at < 0 || TakeLine(pdf, at) != "xref") return false;
    const QList<QByteArray> range = TakeLine(pdf, at).split(' ');
    bool firstOk = false, countOk = false;
    const qsizetype first = range.value(0).toLongLong(&firstOk);
    const qsizetype count = range.value(1).toLongLong(&countOk);
    if (range.size() != 2 || !firstOk || !countOk || count <= 0 ||
        at + count * XrefEntryBytes > pdf.size())
        return false;
    for (qsizetype i = 0; i < count; ++i) {
        const QByteArrayView entry = pdf.sliced(at + i * XrefEntryBytes, XrefEntryBytes);
        if (entry.at(17) != 'n') continue; // a free entry names no object
        bool ok = false;
        const qsizetype offset = entry.first(10).toByteArray().toLongLong(&ok);
        if (!ok || !ObjectAt(pdf, offset, first + i)) return false;
    }
    return true;
}
