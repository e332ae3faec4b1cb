// Every file the windows write (the PDF of a report, the phases picture as PNG, JPEG or BMP,
// the exported calendar) replaces a file of its name only when written whole: a write cut
// off by the file-size limit is reported and leaves the old file byte for byte, with no
// temporary file left beside it; the same write without the limit replaces it.

#include <functional>

#include <sys/resource.h>

#include <QDir>
#include <QFile>
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

// While one exists, no file of this process grows past Bytes (as `ulimit -f` would have it),
// and such a write fails with an error, as in the program, instead of ending the process.
struct TFileSizeLimit {
    static constexpr rlim_t Bytes = 1000;
    rlimit Before{};
    TFileSizeLimit() {
        IgnoreFileSizeSignal();
        getrlimit(RLIMIT_FSIZE, &Before);
        const rlimit low{Bytes, Before.rlim_max};
        setrlimit(RLIMIT_FSIZE, &low);
    }
    ~TFileSizeLimit() { setrlimit(RLIMIT_FSIZE, &Before); }
};

// A page far larger than the limit.
void FullPage(QPainter& painter, TPageMetrics& page) {
    painter.setFont(QFont(QStringLiteral("Arial"), 9));
    for (int row = 0; row < 60; ++row)
        painter.drawText(page.K(20), page.Px(40 * (row + 1)),
                         QStringLiteral("Row %1 of the times list, Moon and Sun").arg(row));
}

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
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
    // Each writes the file at path and says whether it has; a whole file reads back.
    auto pdf = [](const QString& path) {
        TPdfPrintCapture capture(path);
        return PrintReport(nullptr, {"Tidewell times"}, FullPage) == TPrintOutcome::Printed;
    };
    auto picture = [&](const QString& path) { return phases.SaveTo(path); };
    auto pictureWhole = [&](const QString& path) {
        return QImage(path).size() == phases.Picture().size();
    };
    const struct {
        const char* Name;
        std::function<bool(const QString&path)> Write, Whole;
    } kinds[] = {
        {"report.pdf", pdf,
         [](const QString& path) { return PdfLayoutText(path).contains("Row 59"); }},
        {"phases.png", picture, pictureWhole},
        {"phases.jpg", picture, pictureWhole},
        {"phases.bmp", picture, pictureWhole},
        {"moon.ics", [&](const QString& path) { return WriteCalendarFile(h.Main, path, calendar); },
         [&](const QString& path) { return Read(path) == QByteArray::fromStdString(calendar); }},
    };
    for (const auto& kind : kinds) {
        QTemporaryDir folder;
        const QString path = folder.filePath(kind.Name);
        const QByteArray old(3000, 'o');
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
        }
        h.Messages.Texts.clear();
        bool written = true;
        {
            TFileSizeLimit limit;
            written = kind.Write(path);
        }
        QVERIFY2(!written, kind.Name);
        QCOMPARE(h.Messages.Texts.size(), 1);
        QVERIFY2(h.Messages.Texts[0].contains(kind.Name) &&
                     h.Messages.Texts[0].contains("could not be"),
                 qPrintable(h.Messages.Texts[0]));
        QVERIFY2(Read(path) == old, kind.Name);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{kind.Name});

        // Without the limit the same write replaces the old file.
        QVERIFY2(kind.Write(path), kind.Name);
        QVERIFY2(kind.Whole(path), kind.Name);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{kind.Name});
    }
}

QTEST_MAIN(TFailedWritesTest)
#include "failed_writes_test.moc"
