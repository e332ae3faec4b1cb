// SPDX-License-Identifier: GPL-3.0-or-later
// The lists under the mouse: the wheel scrolls them as it scrolls the eclipse report, the
// feature-file drop-down shows every name whole, a comment cut at the table's edge shows
// whole in a hint.

#include <QAbstractItemView>
#include <QComboBox>
#include <QToolTip>

#include "features/feature_file.h"
#include "painted_columns.h"
#include "tmain_fixture.h"
#include "ui/common/look.h"
#include "ui/features/feature_list_view.h"
#include "ui/features/features_db.h"
#include "ui/features/features_view.h"
#include "ui/reports/times_list.h"
#include "window_input.h"

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
    const std::tuple<QWidget*, QRect, int> lists[] = {
        {&w.TimesList(), TTimesList::TableArea, TTimesList::RowHeight},
        {&w.FeaturesDB(), TFeaturesDB::Well, FeatureRowHeight},
        {&w.Features(), TFeatures::Well, FeatureRowHeight}};
    // A notch towards the user: three rows down (the first row shown); a touchpad's half
    // notches add up to one back up; no further than the top.
    for (const auto& [window, well, rowHeight] : lists) {
        const QImage atTop = window->grab(well).toImage();
        for (const auto& [delta, first] : {std::pair{-120, 3}, {60, 3}, {60, 0}, {600, 0}}) {
            WheelAt(*window, well.center(), delta);
            QCOMPARE(FirstShownRecord(*window, atTop, well, rowHeight), first);
        }
    }
}

void TFeatureListsTest::NamesAndCommentsShownWhole() {
    TMainHarness h(At(2026, 3, 10, 21));
    TFeaturesDB& db = h.Windows->FeaturesDB();
    db.Display(2); // Craters: comments far wider than their column, and short ones
    TFeatureTable craters;
    QVERIFY(LoadFeatureTable(craters, "Craters") == TFeatureFileStatus::Loaded);
    QVERIFY(craters.FeatureCount() > TFeaturesDB::VisibleRows);
    for (QWidget* window : std::initializer_list<QWidget*>{&db, &h.Windows->Features()}) {
        QComboBox* files = Control<QComboBox>(*window, "cmbDataFiles");
        files->showPopup(); // the box and its list hold "Landing Sites" and the rest
        QVERIFY(files->width() >= files->sizeHint().width());
        QVERIFY(files->view()->width() >= files->view()->sizeHintForColumn(0));
        files->hidePopup();
    }
    int hinted = 0; // a hint with the whole comment where the column cuts it
    for (int row = 0; row < TFeaturesDB::VisibleRows; ++row) {
        const QString comment = QString::fromStdString(craters.Features[row].Comment);
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
    // The open list changed by another day, then another place (daylight saving now in
    // force), shows what a list opened on that day and place shows.
    const auto opened = [](const QDateTime& now, const TSeed& seed) {
        TMainHarness h(now, seed);
        h.Windows->Features().Display(2);
        return h.Windows->Features().grab().toImage();
    };
    TMainHarness h(At(2026, 3, 10, 21));
    TFeatures& view = h.Windows->Features();
    view.Display(2);
    const QImage march = view.grab().toImage();
    QVERIFY(h.State->SelectDate(2027, 9, 15));
    const QImage september = view.grab().toImage();
    QVERIFY(september != march);
    QVERIFY(september == opened(At(2027, 9, 15, 21), {}));
    // The names, then the sunrises (aqua) and sunsets (white), which follow the date.
    const QRect well = TFeatures::Well.adjusted(1, 1, -1, -1);
    CompareColumns(march, september, well, {{PanelText, false}, {Aqua, true}, {Qt::white, true}});
    h.ChangeSettings([](TSettings& s) { s.DaylightSavings = true; });
    const QImage summer = view.grab().toImage();
    QVERIFY(summer != september);
    QVERIFY(summer == opened(At(2027, 9, 15, 21), Seed({{"DaylightSavings", "True"}})));
}

QTEST_MAIN(TFeatureListsTest)
#include "feature_lists_test.moc"
