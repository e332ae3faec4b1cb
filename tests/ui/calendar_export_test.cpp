// SPDX-License-Identifier: GPL-3.0-or-later
// "Export to calendar" from the report menu: the selected year at the stored place written to
// the file the user chooses, the same events the almanac exports, and where it went told;
// cancelling writes nothing, a file that cannot be written is told; without a replaced chooser a
// save dialog opens and the program goes on running.

#include <QFileDialog>
#include <QSet>
#include <QTest>

#include "print_fixture.h"
#include "ui/menus/report_menu.h"
#include "ui/reports/calendar_export.h"

namespace {

// The UIDs of a calendar text.
QSet<QString> Uids(const QByteArray& text) {
    QSet<QString> uids;
    for (const QByteArray& line : text.split('\n'))
        if (line.startsWith("UID:")) uids.insert(QString::fromUtf8(line.mid(4)).trimmed());
    return uids;
}

void ChooseEntry(TMainHarness& h) {
    TMainHarness::Click(h.Label(QStringLiteral("lblReports")));
    const int row = static_cast<int>(TReportEntry::ExportToCalendar);
    QTest::mouseClick(&h.Windows->ReportMenu(), Qt::LeftButton, Qt::NoModifier,
                      {120, TReportMenu::EntryHeight * row + 10});
}

struct TChooser {
    QString Answer;
    QString Suggested;
    QWidget* Owner = nullptr;
    int Asked = 0;
    TChooser() {
        SetCalendarFileChooser([this](QWidget* owner, const QString& suggested) {
            ++Asked;
            Owner = owner;
            Suggested = suggested;
            return Answer;
        });
    }
    ~TChooser() { SetCalendarFileChooser({}); }
};

} // namespace

class TCalendarExportTest : public QObject {
    Q_OBJECT
  private slots:
    void SelectedYearAtTheStoredPlaceAsTheAlmanacHasIt();
    void CancelWritesNothingAndAFailureIsTold();
    void WithoutAChooserADialogOpensAndNothingWaits();
};

void TCalendarExportTest::SelectedYearAtTheStoredPlaceAsTheAlmanacHasIt() {
    TMainHarness h(At(2026, 5, 1, 12, 0), NewYorkSeed());
    h.Show();
    TChooser chooser;
    QTemporaryDir folder;
    chooser.Answer = folder.filePath(QStringLiteral("moon.ics"));
    ChooseEntry(h);
    QCOMPARE(chooser.Asked, 1);
    QCOMPARE(chooser.Owner, static_cast<QWidget*>(h.Main));
    QCOMPARE(chooser.Suggested, QDir::home().filePath(QStringLiteral("Tidewell 2026.ics")));
    QFile file(chooser.Answer);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.startsWith("BEGIN:VCALENDAR\r\n"));
    // Stamped with the program's clock, never the computer's.
    QVERIFY(text.contains("DTSTAMP:20260501T120000Z\r\n"));

    QProcess almanac;
    almanac.start(AlmanacProgram(),
                  {"--lat", "40.5", "--lon", "-74", "--zone", "-300", "ics", "2026"});
    QVERIFY(almanac.waitForFinished(60000));
    const QSet<QString> expected = Uids(almanac.readAllStandardOutput());
    QVERIFY(expected.size() > 70);
    QCOMPARE(Uids(text), expected);
    // The message says where the file went.
    QCOMPARE(h.Messages.Texts, QStringList{QString("The calendar was written to %1.")
                                               .arg(QDir::toNativeSeparators(chooser.Answer))});

    // Another selected year is another file, replacing what the chosen file held.
    QVERIFY(h.State->SelectDate(2027, 2, 1));
    ChooseEntry(h);
    QCOMPARE(chooser.Suggested, QDir::home().filePath(QStringLiteral("Tidewell 2027.ics")));
    file.close();
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray next = file.readAll();
    QVERIFY(next.contains("UID:march-equinox-20270320T"));
    QVERIFY(!next.contains("UID:march-equinox-20260320T"));
}

void TCalendarExportTest::CancelWritesNothingAndAFailureIsTold() {
    TMainHarness h(At(2026, 5, 1));
    h.Show();
    TChooser chooser;
    QTemporaryDir folder;
    ChooseEntry(h); // cancelled: the empty answer
    QCOMPARE(chooser.Asked, 1);
    QVERIFY(QDir(folder.path()).isEmpty());
    QVERIFY(h.Messages.Texts.isEmpty());

    chooser.Answer = folder.filePath(QStringLiteral("missing/moon.ics"));
    ChooseEntry(h);
    QCOMPARE(h.Messages.Texts.size(), 1);
    QVERIFY2(h.Messages.Texts.last().contains(QDir::toNativeSeparators(chooser.Answer)),
             qPrintable(h.Messages.Texts.last()));
    QCOMPARE(h.Messages.Owners.last(), static_cast<QWidget*>(h.Main));
    QVERIFY(!QFile::exists(chooser.Answer));
}

void TCalendarExportTest::WithoutAChooserADialogOpensAndNothingWaits() {
    TMainHarness h(At(2026, 5, 1));
    h.Show();
    ChooseEntry(h); // returns while the dialog is open
    QFileDialog* dialog = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<QFileDialog*>(w); d && d->isVisible()) dialog = d;
    QVERIFY(dialog);
    QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
    QPointer<QFileDialog> gone(dialog);
    dialog->reject();
    QTRY_VERIFY(gone.isNull()); // deleted once closed
    QVERIFY(h.Messages.Texts.isEmpty());
}

QTEST_MAIN(TCalendarExportTest)
#include "calendar_export_test.moc"
