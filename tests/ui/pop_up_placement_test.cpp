// SPDX-License-Identifier: GPL-3.0-or-later
// Every pop-up opens at the control that opened it, over the main window it belongs to, and
// a report window belongs to the main window too. Each is announced on the error stream with
// the place its anchor must lie in, for the Wayland run's protocol check (wayland_pop_ups.py).

#include <cstdio>
#include <functional>

#include "tmain_fixture.h"
#include "ui/common/window_placement.h"
#include "ui/menus/report_menu.h"
#include "ui/menus/web_menu.h"
#include "ui/reports/calendar_pop_ups.h"
#include "ui/reports/times_list.h"

class TPopUpPlacementTest : public QObject {
    Q_OBJECT
  private slots:
    void PopUpsOpenAtTheirControlsOverTheMainWindow();

  public:
    bool eventFilter(QObject*, QEvent* event) override {
        DesktopKey = DesktopKey || (event->type() == QEvent::KeyPress && event->spontaneous());
        return false;
    }
    bool DesktopKey = false;
};

void TPopUpPlacementTest::PopUpsOpenAtTheirControlsOverTheMainWindow() {
    TMainHarness h(At(2026, 3, 10));
    h.Show();
    // A Wayland pop-up hangs from the user's last press: the Wayland run presses Shift.
    qApp->installEventFilter(this);
    QVERIFY(!CompositorPlacesWindows() || QTest::qWaitFor([this] { return DesktopKey; }, 20000));
    TWindowSet& w = *h.Windows;
    QWidget* const reports = h.Label("lblReports");
    const auto under = [](const QWidget* c) {
        return QRect(c->x(), c->y() + c->height(), c->width(), 16);
    };
    const auto centred = [&](const QWidget& p) {
        const QSize room = h.Main->size() - p.size();
        return QRect(room.width() / 2 - 2, room.height() / 2 - 2, 5, 5);
    };
    const auto report = [&](TReportEntry entry) {
        TMainHarness::Click(reports);
        QTest::mouseClick(&w.ReportMenu(), Qt::LeftButton, {}, {120, 20 * int(entry) + 10});
    };
    const QRect captions =
        h.Label("lblSelectedmonth")->geometry() | h.Label("lblSelectedYear")->geometry();
    const struct {
        const char* Name;
        std::function<void()> Open;
        QWidget& PopUp;
        QRect Anchor; // in the main window
    } popUps[] = {
        {"report menu", [&] { TMainHarness::Click(reports); }, w.ReportMenu(), under(reports)},
        {"web links", [&] { TMainHarness::Click(h.Label("lblLinks")); }, w.WebMenu(),
         under(h.Label("lblLinks"))},
        // Right of the month and year captions, hanging down past them.
        {"month picker",
         [&] { TMainHarness::Click(h.Label("lblSelectedmonth")); },
         w.MonthList(),
         {captions.right() + 1, 0, h.Main->width() - captions.right() - 1, captions.top()}},
        {"equinoxes", [&] { report(TReportEntry::EquinoxInfo); }, w.Equinox(),
         centred(w.Equinox())},
        {"easter", [&] { report(TReportEntry::Easter); }, w.Easter(), centred(w.Easter())},
        {"date information", [&] { TMainHarness::Click(h.DayCell(7), Qt::RightButton); },
         w.DateInfo(), centred(w.DateInfo())},
    };
    for (const auto& [name, open, popUp, a] : popUps) {
        std::fprintf(stderr, "pop-up %s: anchor in %d %d %d %d\n", name, a.x(), a.y(), a.width(),
                     a.height());
        open();
        QVERIFY2(popUp.isVisible(), name);
        QCOMPARE(popUp.windowHandle()->transientParent(), h.Main->windowHandle());
        QVERIFY2(a.contains(h.Main->mapFromGlobal(popUp.pos())), name);
        popUp.close();
    }
    std::fprintf(stderr, "report window times list\n");
    TMainHarness::Click(h.Label("lblTimesList"));
    QCOMPARE(w.TimesList().windowHandle()->transientParent(), h.Main->windowHandle());
}

QTEST_MAIN(TPopUpPlacementTest)
#include "pop_up_placement_test.moc"
