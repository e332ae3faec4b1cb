// SPDX-License-Identifier: GPL-3.0-or-later
// The report menu and the month picker through the real windows: the main window's buttons
// open them, the arrow follows the mouse, each entry reaches its report (or does nothing yet),
// each report opens on the screen clear of the main window's title bar, and a month is taken
// from the click's own position, its day kept where the month has it.

#include <QLabel>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include "tmain_fixture.h"
#include "ui/common/window_placement.h"
#include "ui/menus/report_menu.h"
#include "ui/reports/calendar_pop_ups.h"
#include "ui/reports/eclipse_report.h"
#include "window_input.h"

Q_DECLARE_METATYPE(TReportEntry)

namespace {

QWidget* VisibleOtherWindow(const TMainHarness& h, const QWidget* except) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w != h.Main && w != except) return w;
    return nullptr;
}

} // namespace

class TReportMenuTest : public QObject {
    Q_OBJECT
  private slots:
    void MenuEntriesAndArrow();
    void MonthPickedAtTheClick();
};

void TReportMenuTest::MenuEntriesAndArrow() {
    TMainHarness h(At(2026, 5, 1));
    h.Show();
    TReportMenu& menu = h.Windows->ReportMenu();
    QVERIFY(menu.windowFlags().testFlag(Qt::Popup));
    QCOMPARE(menu.size(), QSize(265, 200));
    TMainHarness::Click(h.Label("lblReports"));
    QVERIFY(menu.isVisible());
    QCOMPARE(menu.pos(), h.Main->frameGeometry().topLeft() + QPoint(158, 40));

    // The arrow marks the entry under the mouse: at its start, nothing else changed.
    const QImage unmarked = menu.grab().toImage();
    QTest::mouseMove(&menu, {100, 45});
    const QRect arrow = ChangedArea(unmarked, menu.grab().toImage());
    QVERIFY(!arrow.isEmpty() && QRect(7, 40, 30, 20).contains(arrow));

    // Every entry is handed on in order; a click closes the menu first.
    qRegisterMetaType<TReportEntry>();
    QSignalSpy chosen(&menu, &TReportMenu::EntryChosen);
    for (int k = 0; k < ReportEntryCount; ++k) {
        menu.Open();
        QTest::mouseClick(&menu, Qt::LeftButton, Qt::NoModifier, {120, 20 * k + 10});
        QVERIFY(!menu.isVisible());
        QCOMPARE(chosen.size(), k + 1);
        QCOMPARE(chosen.last().first().value<TReportEntry>(), static_cast<TReportEntry>(k));
        const TReportEntry entry = static_cast<TReportEntry>(k);
        QWidget* opened = VisibleOtherWindow(h, nullptr);
        if (entry == TReportEntry::FindEclipses)
            QCOMPARE(opened, &h.Windows->EclipseReport());
        else if (entry == TReportEntry::EquinoxInfo)
            QCOMPARE(opened, &h.Windows->Equinox());
        else if (entry == TReportEntry::Easter)
            QCOMPARE(opened, &h.Windows->Easter());
        else // another report's window (or, until it exists, nothing), never one of these
            QVERIFY(opened != &h.Windows->EclipseReport() && opened != &h.Windows->Equinox() &&
                    opened != &h.Windows->Easter());
        if (qobject_cast<TBorderlessWindow*>(opened) != nullptr) { // ours, not a file dialog
            // On the screen, below the main window's title bar and its buttons.
            const QRect place = opened->frameGeometry();
            QVERIFY(h.Main->screen()->availableGeometry().contains(place));
            QVERIFY(!place.intersects({h.Main->pos(), QSize(h.Main->width(), CascadeDrop)}));
        }
        if (opened) opened->close();
    }
}

void TReportMenuTest::MonthPickedAtTheClick() {
    TMainHarness h(At(2024, 1, 31));
    h.Show();
    TMonthList& months = h.Windows->MonthList();
    QVERIFY(months.windowFlags().testFlag(Qt::Popup));
    QCOMPARE(months.size(), QSize(100, 348));
    emit h.Main->MonthPickerRequested();
    QVERIFY(months.isVisible());
    // Hovered over June, then a tap on February with no move before it: February.
    const QImage unmarked = months.grab().toImage();
    QTest::mouseMove(&months, {50, 5 * 29 + 10});
    const QRect arrow = ChangedArea(unmarked, months.grab().toImage());
    QVERIFY(!arrow.isEmpty() && QRect(0, 5 * 29, 30, 29).contains(arrow));
    QTest::mouseClick(&months, Qt::LeftButton, Qt::NoModifier, {50, 29 + 10});
    QVERIFY(!months.isVisible());
    QCOMPARE(h.Selected().Month, 2);
    QCOMPARE(h.Selected().Day, 29); // 31 January in a leap year
    // In a common year the 28th; a day the month has is kept.
    QVERIFY(h.State->SelectDate(2023, 1, 31));
    months.Open();
    QTest::mouseClick(&months, Qt::LeftButton, Qt::NoModifier, {50, 29 + 1});
    QCOMPARE(h.Selected().Day, 28);
    QVERIFY(h.State->SelectDate(2023, 1, 15));
    months.Open();
    QTest::mouseClick(&months, Qt::LeftButton, Qt::NoModifier, {50, 11 * 29 + 28});
    QCOMPARE(h.Selected().Month, 12);
    QCOMPARE(h.Selected().Day, 15);
    QCOMPARE(h.Selected().Year, 2023);
}

QTEST_MAIN(TReportMenuTest)
#include "report_menu_test.moc"
