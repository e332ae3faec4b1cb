// SPDX-License-Identifier: GPL-3.0-or-later
// Resident memory of the window program: once its main window is painted, and again after
// every other window has been opened, painted and closed in turn, as a user would. Run with a
// private XDG_CONFIG_HOME (bench/window_startup.sh does); prints kilobytes of VmRSS and VmHWM.

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>

#include "app/window_set.h"
#include "ui/features/features_db.h"
#include "ui/features/features_view.h"
#include "ui/features/terminator_view.h"
#include "ui/menus/monthly_phases.h"
#include "ui/menus/report_menu.h"
#include "ui/menus/web_menu.h"
#include "ui/reports/calendar_pop_ups.h"
#include "ui/reports/daily_view.h"
#include "ui/reports/eclipse_report.h"
#include "ui/reports/eclipse_screen.h"
#include "ui/reports/observing_aid.h"
#include "ui/reports/times_list.h"
#include "ui/settings/configuration.h"
#include "ui/settings/print_options.h"

namespace {

// A figure of /proc/self/status in kilobytes ("VmRSS:     51234 kB"); -1 when missing.
long StatusKb(const std::string& key) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(key + ":", 0) == 0) return std::stol(line.substr(key.size() + 1));
    return -1;
}

void Report(const char* when) {
    std::printf("%s: VmRSS %ld kB, VmHWM %ld kB\n", when, StatusKb("VmRSS"), StatusKb("VmHWM"));
}

// Events handled for a while, so that what was shown is painted and flushed.
void Settle(int ms = 150) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    TWindowSet w;
    w.Show();
    Settle(400);
    Report("main window painted");
    const std::vector<std::function<QWidget&()>> opens = {
        [&]() -> QWidget& { w.TimesList().Open(); return w.TimesList(); },
        [&]() -> QWidget& { w.PrintOptions().Open(); return w.PrintOptions(); },
        [&]() -> QWidget& { w.MonthList().Open(); return w.MonthList(); },
        [&]() -> QWidget& { (void)w.Eclipse().Open(); return w.Eclipse(); },
        [&]() -> QWidget& { w.DateInfo().ShowDateInfo(w.State().SelectedDate()); return w.DateInfo(); },
        [&]() -> QWidget& { w.Equinox().EquinoxesAndSolstices(2026); return w.Equinox(); },
        [&]() -> QWidget& { w.EclipseReport().Open(); return w.EclipseReport(); },
        [&]() -> QWidget& { w.ReportMenu().Open(); return w.ReportMenu(); },
        [&]() -> QWidget& { w.Easter().Open(); return w.Easter(); },
        [&]() -> QWidget& { w.MonthlyPhases().Open(); return w.MonthlyPhases(); },
        [&]() -> QWidget& { w.ObservingAid().Open(); return w.ObservingAid(); },
        [&]() -> QWidget& { w.DailyView().Open(); return w.DailyView(); },
        [&]() -> QWidget& { w.WebMenu().Open(); return w.WebMenu(); },
        [&]() -> QWidget& { w.About().Open(); return w.About(); },
        [&]() -> QWidget& { w.Features().Display(2); return w.Features(); },
        [&]() -> QWidget& { w.FeaturesDB().Display(2); return w.FeaturesDB(); },
        [&]() -> QWidget& { w.TerminatorView().Open(); return w.TerminatorView(); },
        [&]() -> QWidget& { w.Configuration().Open(); return w.Configuration(); },
    };
    for (const auto& open : opens) {
        QWidget& window = open();
        Settle();
        window.hide();
    }
    Settle();
    Report("every window opened once");
    return 0;
}
