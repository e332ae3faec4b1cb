// SPDX-License-Identifier: GPL-3.0-or-later
// Tonight on the terminator through the whole program: the report menu opens it, it shows the
// night of the selected date at the configured place, follows another date, the size box and
// the file boxes change the lists, and the busy cursor is gone when it has computed.

#include <QCheckBox>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTest>

#include "features/terminator.h"
#include "painted_columns.h"
#include "place_fixture.h"
#include "tmain_fixture.h"
#include "ui/common/look.h"
#include "ui/features/terminator_view.h"
#include "ui/menus/report_menu.h"

namespace {

const TPlace Europe{"Fifty North Ten East", 50.0, 10.0, 60, false};

bool Lists(const std::vector<TTerminatorFeature>& side, const std::string& name) {
    for (const TTerminatorFeature& f : side)
        if (f.Feature.Name == name) return true;
    return false;
}

// Saves what the window shows when TIDEWELL_SCREENSHOTS names a folder (for looking at it).
void Keep(QWidget& window, const QString& name) {
    const QString folder = qEnvironmentVariable("TIDEWELL_SCREENSHOTS");
    if (!folder.isEmpty()) window.grab().save(folder + "/" + name + ".png");
}

} // namespace

class TTerminatorViewTest : public QObject {
    Q_OBJECT
  private slots:
    void OpenedFromTheReportMenuForTheSelectedNight();
    void SizeAndFileBoxesChangeTheLists();
};

void TTerminatorViewTest::OpenedFromTheReportMenuForTheSelectedNight() {
    TMainHarness h(At(2026, 3, 25, 15, 0), PlaceSeed(Europe));
    h.Show();
    TTerminatorView& view = h.Windows->TerminatorView();
    QVERIFY(!view.isVisible());
    TMainHarness::Click(h.Label("lblReports"));
    TReportMenu& menu = h.Windows->ReportMenu();
    QVERIFY(menu.isVisible());
    const int entry = static_cast<int>(TReportEntry::TonightOnTerminator);
    QTest::mouseClick(&menu, Qt::LeftButton, Qt::NoModifier, {120, 20 * entry + 10});
    QVERIFY(view.isVisible());
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    Keep(view, "terminator-first-quarter");

    // First quarter: a dark evening, the central craters on the morning terminator.
    QCOMPARE(view.Night().Sky, TNightSky::Dark);
    QVERIFY(view.NightText().startsWith("Night of Wednesday 25 March 2026"));
    QVERIFY(view.SpanText().startsWith("Dark sky with the Moon above 15"));
    QVERIFY(Lists(view.List().Sunrise, "Albategnius"));
    QVERIFY(Lists(view.List().Sunrise, "Hipparchus"));
    QVERIFY(!Lists(view.List().Sunrise, "Copernicus"));
    // Painted: a listed name's row is lit in the sunrise well, an unused row stays black.
    const QImage shown = view.grab().toImage();
    const QRect well = TTerminatorView::SunriseWell;
    bool lit = false;
    for (int x = well.left() + 8; x < well.left() + 120 && !lit; ++x)
        for (int y = well.top() + 2; y < well.top() + 14 && !lit; ++y)
            lit = qGray(shown.pixel(x, y)) > 120;
    QVERIFY(lit);

    // Another day selected while it is shown: the new moon's night has no Moon in it.
    QVERIFY(h.State->SelectDate(2026, 3, 19));
    QCOMPARE(view.Night().Sky, TNightSky::None);
    // ... and points to the first evening of the young crescent, a few nights later.
    const QString span = view.SpanText();
    QVERIFY2(QRegularExpression("^No dark sky with the Moon up tonight;  next: the night of "
                                "\\w+day 2[0-4] March$")
                 .match(span)
                 .hasMatch(),
             qPrintable(span));
    QVERIFY(view.List().Sunrise.empty() && view.List().Sunset.empty());
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    Keep(view, "terminator-new-moon");

    // Closed by its close area; the main window stays.
    TMainHarness::Click(view.findChild<QLabel*>("lblExit"));
    QVERIFY(!view.isVisible());
    QVERIFY(h.Main->isVisible());
}

void TTerminatorViewTest::SizeAndFileBoxesChangeTheLists() {
    TMainHarness h(At(2026, 4, 3, 15, 0), PlaceSeed(Europe));
    h.Show();
    TTerminatorView& view = h.Windows->TerminatorView();
    view.Open();
    QCOMPARE(view.Night().Sky, TNightSky::Dark);
    const auto count = [&view] { return view.List().Sunrise.size() + view.List().Sunset.size(); };
    const std::size_t at20 = count();
    QVERIFY(at20 > 0);

    // The size box: a larger minimum lists fewer, and only features at least that large.
    QSpinBox* size = Control<QSpinBox>(view, "spnMinKm");
    QCOMPARE(size->value(), 20);
    size->setFocus();
    size->selectAll();
    QTest::keyClicks(size, "60");
    QTest::keyClick(size, Qt::Key_Enter);
    QCOMPARE(size->value(), 60);
    QVERIFY(count() < at20);
    for (const auto* side : {&view.List().Sunrise, &view.List().Sunset})
        for (const TTerminatorFeature& f : *side)
            QVERIFY(f.Feature.DiameterKm >= 60.0);
    for (int k = 0; k < 20; ++k)
        QTest::keyClick(size, Qt::Key_Down);
    QCOMPARE(size->value(), 0);
    QVERIFY(count() >= at20);

    // The file boxes: Craters off and Mare on lists only maria.
    const QImage allFiles = view.grab().toImage();
    QCheckBox* craters = Control<QCheckBox>(view, "chkFile2");
    QCheckBox* mare = Control<QCheckBox>(view, "chkFile7");
    QCOMPARE(craters->text(), QString("Craters"));
    QCOMPARE(mare->text(), QString("Mare"));
    QTest::mouseClick(mare, Qt::LeftButton, Qt::NoModifier, {4, mare->height() / 2});
    QTest::mouseClick(craters, Qt::LeftButton, Qt::NoModifier, {4, craters->height() / 2});
    QVERIFY(mare->isChecked() && !craters->isChecked());
    for (const auto* side : {&view.List().Sunrise, &view.List().Sunset})
        for (const TTerminatorFeature& f : *side)
            QCOMPARE(f.Feature.File, std::string("Mare"));
    // Each well paints the names, the Sun's altitudes (aqua) and the sizes (white).
    for (const QRect& well : {TTerminatorView::SunriseWell, TTerminatorView::SunsetWell})
        CompareColumns(allFiles, view.grab().toImage(), well.adjusted(1, 1, -1, -1),
                       {{PanelText, true}, {Aqua, true}, {Qt::white, true}});
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    Keep(view, "terminator-mare");
}

QTEST_MAIN(TTerminatorViewTest)
#include "terminator_view_test.moc"
