// The lists under the mouse: the wheel scrolls them as it scrolls the eclipse report, the
// feature-file drop-down shows every name whole, a comment cut at the table's edge shows
// whole in a hint.

#include <QAbstractItemView>
#include <QComboBox>
#include <QScrollBar>
#include <QToolTip>

#include "ui/features/features_db.h"
#include "ui/features/features_view.h"
#include "tmain_fixture.h"
#include "ui/reports/times_list.h"

class TFeatureListsTest : public QObject {
    Q_OBJECT
  private slots:
    void WheelScrollsEveryList();
    void NamesAndCommentsShownWhole();
    void SunriseListFollowsTheSelectedDayAndPlace();
};

void TFeatureListsTest::WheelScrollsEveryList() {
    TMainHarness h(At(2026, 3, 10, 21));
    TWindowSet& w = *h.Windows;
    w.TimesList().Open(), w.FeaturesDB().Display(2), w.Features().Display(2);
    const std::tuple<QWidget*, QPoint, int (*)(TWindowSet&)> lists[] = {
        {&w.TimesList(), TTimesList::TableArea.center(),
         [](TWindowSet& set) { return set.TimesList().ScrollOffset() / TTimesList::RowHeight; }},
        {&w.FeaturesDB(), TFeaturesDB::Well.center(),
         [](TWindowSet& set) { return set.FeaturesDB().Rows()->value(); }},
        {&w.Features(), TFeatures::Well.center(),
         [](TWindowSet& set) { return set.Features().Rows()->value(); }}};
    // A notch towards the user: three rows down (the first row shown); a touchpad's half
    // notches add up to one back up; no further than the top.
    for (const auto& [window, over, row] : lists)
        for (const auto& [delta, first] : {std::pair{-120, 3}, {60, 3}, {60, 0}, {600, 0}}) {
            QWheelEvent wheel(over, window->mapToGlobal(over), {}, {0, delta}, Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(window, &wheel);
            QCOMPARE(row(w), first);
        }
}

void TFeatureListsTest::NamesAndCommentsShownWhole() {
    TMainHarness h(At(2026, 3, 10, 21));
    TFeaturesDB& db = h.Windows->FeaturesDB();
    db.Display(2); // Craters: comments far wider than their column, and short ones
    QVERIFY(db.Table().FeatureCount() > TFeaturesDB::VisibleRows);
    for (QComboBox* files : {db.DataFiles(), h.Windows->Features().DataFiles()}) {
        files->showPopup(); // the box and its list hold "Landing Sites" and the rest
        QVERIFY(files->width() >= files->sizeHint().width());
        QVERIFY(files->view()->width() >= files->view()->sizeHintForColumn(0));
        files->hidePopup();
    }
    int hinted = 0; // a hint with the whole comment where the column cuts it
    for (int row = 0; row < TFeaturesDB::VisibleRows; ++row) {
        const QString comment = QString::fromStdString(db.Table().Features[row].Comment);
        const QPoint at(TFeaturesDB::Well.right() - 4, TFeaturesDB::Well.top() + 16 * row + 8);
        QToolTip::hideText();
        QHelpEvent help(QEvent::ToolTip, at, db.mapToGlobal(at));
        QApplication::sendEvent(&db, &help);
        const bool shown = QToolTip::isVisible() && QToolTip::text() == comment;
        if (comment.size() >= 60 || comment.size() <= 20)
            QVERIFY2(shown == (comment.size() >= 60), qPrintable(comment));
        hinted += shown;
    }
    QVERIFY(hinted > 0);
}

void TFeatureListsTest::SunriseListFollowsTheSelectedDayAndPlace() {
    TMainHarness h(At(2026, 3, 10, 21));
    TFeatures& view = h.Windows->Features();
    view.Display(2);
    const auto shown = [&view] { return view.grab().toImage(); };
    const QImage march = shown();

    // Another day selected while it is open: every time lies after it.
    QVERIFY(h.State->SelectDate(2027, 9, 15));
    const double selected = JulianDay(MakeDate(2027, 9, 15, 21, 0));
    for (const TFeatureSunEvents& row : view.Times())
        for (const auto& event : {row.Sunrise, row.Sunset})
            QVERIFY2(!event || JulianDay(*event) > selected, row.Name.c_str());
    QVERIFY(JulianDay(*view.Times().front().Sunrise) < selected + 30);
    const QImage september = shown();
    QVERIFY(september != march);

    // Another place (daylight saving now in force): the same instants an hour later.
    const TDateRec before = *view.Times().front().Sunrise;
    h.ChangeSettings([](TSettings& s) { s.DaylightSavings = true; });
    QCOMPARE(qRound((JulianDay(*view.Times().front().Sunrise) - JulianDay(before)) * 1440), 60);
    QVERIFY(shown() != september);
}

QTEST_MAIN(TFeatureListsTest)
#include "feature_lists_test.moc"
