// SPDX-License-Identifier: GPL-3.0-or-later
// The features database's table over every feature file: each diameter, set flush right
// against its column's end, stays clear of the longitude's hemisphere letter before it. A
// damaged or oversized file is named in a message and shows no rows.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "settings/settings.h"
#include "ui/common/fonts.h"
#include "ui/common/messages.h"
#include "ui/common/program_state.h"
#include "ui/features/feature_list_view.h"
#include "ui/features/features_db.h"
#include "ui/features/features_view.h"

class TFeaturesDbColumnsTest : public QObject {
    Q_OBJECT
  private slots:
    void DiameterClearOfHemisphereLetter();
    void DamagedFilesAreNamed();
    void DamagedFilesBesideTheProgram();
};

void TFeaturesDbColumnsTest::DiameterClearOfHemisphereLetter() {
    TFeaturesDB db;
    const QFontMetrics metrics(ScaledFont(ArialFamily, 8, FontScale(&db)));
    int rows = 0;
    QStringList crowded;
    for (const auto& name : FeatureFileNames) {
        TFeatureTable table;
        (void)LoadFeatureTable(table, QString::fromUtf8(name.data(), qsizetype(name.size())));
        for (const TFeature& feature : table.Features) {
            const QString letter = feature.LongitudeDeg < 0 ? "W" : "E";
            const QString diameter = TFeaturesDB::DiameterText(feature.DiameterKm);
            const int letterEnd = TFeaturesDB::LongDirX + metrics.horizontalAdvance(letter);
            const int numberStart = TFeaturesDB::DiameterEndX - metrics.horizontalAdvance(diameter);
            ++rows;
            if (numberStart < letterEnd + 2)
                crowded << QString::fromStdString(feature.Name) + " " + diameter;
        }
    }
    QVERIFY2(rows > 1000, "the feature files were not found"); // thousands of named features
    QVERIFY2(crowded.isEmpty(), qPrintable(crowded.mid(0, 10).join(", ")));
}

// The windows read the Data folder beside the program, never one in the working folder: a
// copy of this test program beside damaged files runs the check below from a working folder
// that holds sound ones.
void TFeaturesDbColumnsTest::DamagedFilesAreNamed() {
    QTemporaryDir folder;
    const QDir root(folder.path());
    QVERIFY(root.mkpath("bin/Data") && root.mkpath("Data"));
    const QString copy = root.filePath("bin/features_db_columns_test");
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), copy));
    QFile craters(root.filePath("bin/Data/Craters.dat"));
    QVERIFY(craters.open(QIODevice::WriteOnly) && craters.write(QByteArray(100 * 1024, '\x9b')));
    craters.close();
    QFile mare(root.filePath("bin/Data/Mare.dat"));
    QVERIFY(mare.open(QIODevice::WriteOnly) && mare.resize(qint64{3} << 30)); // sparse
    mare.close();
    const QDir built(QString::fromStdString(FeatureDataFolder().string()));
    for (const QString name : {"Craters.dat", "Mare.dat"})
        QVERIFY(QFile::copy(built.filePath(name), root.filePath("Data/" + name)));
    QProcess child;
    child.setWorkingDirectory(folder.path());
    child.start(copy, {"DamagedFilesBesideTheProgram"});
    QVERIFY(child.waitForFinished(60000));
    const QByteArray report = child.readAllStandardOutput();
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 &&
                 report.contains("PASS   : TFeaturesDbColumnsTest::DamagedFilesBesideTheProgram()"),
             report.constData());
}

void TFeaturesDbColumnsTest::DamagedFilesBesideTheProgram() {
    const QString data = QCoreApplication::applicationDirPath() + "/Data";
    if (!QFileInfo(data + "/Mare.dat").size()) QSKIP("run by DamagedFilesAreNamed in a copy");
    TMessageCapture messages;
    TFeaturesDB db;
    db.Display(2);
    TProgramState state(DefaultSettings(),
                        [] { return QDateTime(QDate(2026, 3, 20), QTime(22, 0), Qt::UTC); });
    TFeatures view(state);
    view.Display(7);
    // No rows: the well stands empty.
    QImage well = db.grab(TFeaturesDB::Well).toImage();
    QImage empty(well.size(), well.format());
    empty.fill(Qt::black);
    QVERIFY(well == empty);
    QCOMPARE(messages.Texts.size(), 2);
    QCOMPARE(messages.Texts[0], "The feature file " + data +
                                    "/Craters.dat is damaged: its 102400 bytes are not a whole "
                                    "number of 368-byte records.");
    QVERIFY2(messages.Texts[1].startsWith("The feature file " + data + "/Mare.dat is too large: "),
             qPrintable(messages.Texts[1]));
    QCOMPARE(messages.Owners, (QList<QWidget*>{&db, &view}));
}

QTEST_MAIN(TFeaturesDbColumnsTest)
#include "features_db_columns_test.moc"
