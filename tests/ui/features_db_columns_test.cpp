// The features database's table over every feature file: each diameter, set flush right
// against its column's end, stays clear of the longitude's hemisphere letter before it.

#include <QFontMetrics>
#include <QTest>

#include "features/ui/features_db.h"
#include "ui/common/fonts.h"

class TFeaturesDbColumnsTest : public QObject {
    Q_OBJECT
  private slots:
    void DiameterClearOfHemisphereLetter();
};

void TFeaturesDbColumnsTest::DiameterClearOfHemisphereLetter() {
    TFeaturesDB db;
    const QFontMetrics metrics(ScaledFont(ArialFamily, 8, FontScale(&db)));
    int rows = 0;
    QStringList crowded;
    for (int file = 0; file < static_cast<int>(FeatureFileNames.size()); ++file) {
        db.Display(file);
        for (const TFeatureRow& row : db.Table().Rows) {
            const QString letter = QString::fromStdString(row[FeatureLongDir]);
            const QString diameter =
                TFeaturesDB::DiameterText(QString::fromStdString(row[FeatureDiameter]));
            const int letterEnd = TFeaturesDB::LongDirX + metrics.horizontalAdvance(letter);
            const int numberStart = TFeaturesDB::DiameterEndX - metrics.horizontalAdvance(diameter);
            ++rows;
            if (numberStart < letterEnd + 2)
                crowded << QString::fromStdString(row[FeatureName]) + " " + diameter;
        }
    }
    QVERIFY2(rows > 1000, "the feature files were not found"); // thousands of named features
    QVERIFY2(crowded.isEmpty(), qPrintable(crowded.mid(0, 10).join(", ")));
    // A damaged cell is shown as it stands, not as a number it is not.
    QCOMPARE(TFeaturesDB::DiameterText("12,5 km?"), QString("12,5 km?"));
}

QTEST_MAIN(TFeaturesDbColumnsTest)
#include "features_db_columns_test.moc"
