// SPDX-License-Identifier: GPL-3.0-or-later
// Every file the windows write (a report's PDF, the phases picture as PNG, JPEG or BMP, the
// exported calendar) replaces a file of its name only when written whole: a write cut off by
// the file-size limit is reported and leaves the old file byte for byte and no temporary
// file beside it; without the limit the same write replaces it.

#include <functional>

#include <sys/resource.h>

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include "engine/calendar_events.h"
#include "engine/whole_file.h"
#include "pdf_reading.h"
#include "place_fixture.h"
#include "ui/common/printing.h"
#include "ui/menus/monthly_phases.h"
#include "ui/reports/calendar_export.h"

namespace {

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// path's old content stays when the write under a 1000-byte file-size limit (`ulimit -f`,
// its signal ignored as in the program) fails; a new file replaces it without the limit.
void CheckFailsWholeAndSucceeds(const QString& path, const std::function<bool()>& write,
                                const QStringList& messages) {
    const QByteArray old(3000, 'o');
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
    file.close();
    IgnoreFileSizeSignal();
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    const rlimit low{1000, before.rlim_max};
    setrlimit(RLIMIT_FSIZE, &low);
    const bool written = write();
    setrlimit(RLIMIT_FSIZE, &before);
    const QString name = QFileInfo(path).fileName();
    QVERIFY2(!written && Read(path) == old, qPrintable(name));
    QVERIFY2(messages.size() == 1 && messages[0].contains(name) &&
                 messages[0].contains("could not be"),
             qPrintable(messages.join('|')));
    const QDir folder = QFileInfo(path).dir();
    QCOMPARE(folder.entryList(QDir::Files | QDir::Hidden), QStringList{name});
    QVERIFY2(write() && Read(path).size() > 1000, qPrintable(name));
    QCOMPARE(folder.entryList(QDir::Files | QDir::Hidden), QStringList{name});
}

} // namespace

class TFailedWritesTest : public QObject {
    Q_OBJECT
  private slots:
    void OldFileKeptAndFailureToldForEveryKindOfFile();
};

void TFailedWritesTest::OldFileKeptAndFailureToldForEveryKindOfFile() {
    TMainHarness h(At(2026, 3, 10, 12), PlaceSeed(NewYork));
    TMonthlyPhases phases(*h.State, h.Main);
    phases.Open();
    const std::string calendar =
        AlmanacCalendar(2026, 2026, h.State->Observer(), CalendarAllKinds, MakeDate(2026, 3, 10));
    QTemporaryDir folder;
    for (const char* name : {"report.pdf", "phases.png", "phases.jpg", "phases.bmp", "moon.ics"}) {
        QVERIFY(QDir(folder.path()).mkdir(name + QString(".d")));
        const QString path = folder.filePath(name + QString(".d/") + name);
        const QString kind = QFileInfo(path).suffix();
        h.Messages.Texts.clear();
        CheckFailsWholeAndSucceeds(
            path,
            [&] {
                if (kind == "ics") return WriteCalendarFile(h.Main, path, calendar);
                if (kind != "pdf") return phases.SaveTo(path);
                TPdfPrintCapture capture(path);
                return PrintReport(nullptr, {"Tidewell times"}, [](QPainter& p, TPageMetrics&) {
                           for (int row = 0; row < 60; ++row)
                               p.drawText(50, 40 * (row + 1), QString("Row %1 of 60").arg(row));
                       }) == TPrintOutcome::Printed;
            },
            h.Messages.Texts);
        if (kind == "pdf") QVERIFY(PdfLayoutText(path).contains("Row 59"));
    }
}

QTEST_MAIN(TFailedWritesTest)
#include "failed_writes_test.moc"
