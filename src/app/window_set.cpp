// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window_set.h"

#include <QApplication>
#include <QTimer>

#include "ui/features/features_db.h"
#include "ui/features/features_view.h"
#include "ui/features/terminator_view.h"
#include "ui/settings/configuration.h"
#include "ui/settings/print_options.h"
#include "ui/common/messages.h"
#include "ui/common/night_vision.h"
#include "ui/common/settings_startup.h"
#include "ui/common/window_placement.h"
#include "ui/menus/monthly_phases.h"
#include "ui/menus/report_menu.h"
#include "ui/menus/web_menu.h"
#include "ui/reports/calendar_export.h"
#include "ui/reports/calendar_pop_ups.h"
#include "ui/reports/daily_view.h"
#include "ui/reports/eclipse_report.h"
#include "ui/reports/eclipse_screen.h"
#include "ui/reports/observing_aid.h"
#include "ui/reports/times_list.h"

TWindowSet::TWindowSet(const TWindowSetup& setup) {
    TStartupSettings start = LoadStartupSettings(setup.SettingsPath);
    SettingsStore = std::move(start.Store);
    Messages = start.Messages;
    ProgramState = std::make_unique<TProgramState>(start.Settings, setup.Clock);
    TMainSetup mainSetup;
    mainSetup.SystemClock = setup.SystemClock;
    MainWindow = std::make_unique<TMain>(*ProgramState, mainSetup);
    ConnectMain();
    // The night-vision look over every window, from the start when it was chosen before.
    NightVisionSwitch = std::make_unique<TNightVision>(*ProgramState, *SettingsStore);
}

template <class TWindow, class... TArgs>
TWindow& TWindowSet::MadeOnce(std::unique_ptr<TWindow>& slot, TArgs&... args) {
    if (slot) return *slot;
    slot = std::make_unique<TWindow>(args..., MainWindow.get());
    // It belongs to the main window: kept above it, its pop-ups placed on it.
    slot->BelongTo(MainWindow.get());
    return *slot;
}

TTimesList& TWindowSet::TimesList() { return MadeOnce(TimesListWindow, *ProgramState); }
TMonthList& TWindowSet::MonthList() { return MadeOnce(MonthListWindow, *ProgramState); }
TEclipse& TWindowSet::Eclipse() { return MadeOnce(EclipseWindow, *ProgramState); }
TDateInfo& TWindowSet::DateInfo() { return MadeOnce(DateInfoWindow); }
TEquinox& TWindowSet::Equinox() { return MadeOnce(EquinoxWindow, *ProgramState); }
TEaster& TWindowSet::Easter() { return MadeOnce(EasterWindow, *ProgramState); }
TMonthlyPhases& TWindowSet::MonthlyPhases() { return MadeOnce(MonthlyPhasesWindow, *ProgramState); }
TObservingAid& TWindowSet::ObservingAid() { return MadeOnce(ObservingAidWindow, *ProgramState); }
TDailyView& TWindowSet::DailyView() { return MadeOnce(DailyViewWindow, *ProgramState); }
TWebMenu& TWindowSet::WebMenu() { return MadeOnce(WebMenuWindow); }
TAbout& TWindowSet::About() { return MadeOnce(AboutWindow); }
TFeaturesDB& TWindowSet::FeaturesDB() { return MadeOnce(FeaturesDBWindow); }
TTerminatorView& TWindowSet::TerminatorView() { return MadeOnce(TerminatorWindow, *ProgramState); }

TPrintOptions& TWindowSet::PrintOptions() {
    return MadeOnce(PrintOptionsWindow, *ProgramState, *SettingsStore);
}

TConfiguration& TWindowSet::Configuration() {
    return MadeOnce(ConfigurationWindow, *ProgramState, *SettingsStore);
}

TFeatures& TWindowSet::Features() {
    if (FeaturesWindow) return *FeaturesWindow;
    TFeatures& features = MadeOnce(FeaturesWindow, *ProgramState);
    QObject::connect(&features, &TFeatures::DatabaseRequested, &features,
                     [this, &features](int index) { FeaturesDB().Display(index, &features); });
    return features;
}

TEclipseReport& TWindowSet::EclipseReport() {
    if (EclipseReportWindow) return *EclipseReportWindow;
    TEclipseReport& report = MadeOnce(EclipseReportWindow, *ProgramState);
    // The eclipse chosen in the report: the screen opens, the pair side by side under the
    // main window.
    QObject::connect(&report, &TEclipseReport::EclipseChosen, &report, [this, &report] {
        if (Eclipse().Open()) PlacePairUnder(*EclipseWindow, report, *MainWindow);
    });
    return report;
}

TReportMenu& TWindowSet::ReportMenu() {
    if (ReportMenuWindow) return *ReportMenuWindow;
    TReportMenu& menu = MadeOnce(ReportMenuWindow);
    QObject::connect(&menu, &TReportMenu::EntryChosen, &menu, [this](TReportEntry entry) {
        if (entry == TReportEntry::FindEclipses) EclipseReport().Open();
        if (entry == TReportEntry::EquinoxInfo)
            Equinox().EquinoxesAndSolstices(ProgramState->SelectedDate().Year);
        if (entry == TReportEntry::Easter) Easter().Open();
        if (entry == TReportEntry::LunarVisibility) ObservingAid().Open();
        if (entry == TReportEntry::DailyView) DailyView().Open();
        if (entry == TReportEntry::DisplayPhases) MonthlyPhases().Open();
        if (entry == TReportEntry::FeaturesDB)
            FeaturesDB().Display(ProgramState->Settings().FeatureIdx);
        if (entry == TReportEntry::LunarFeatures)
            Features().Display(ProgramState->Settings().FeatureIdx);
        if (entry == TReportEntry::ExportToCalendar) ExportCalendar(MainWindow.get(), *ProgramState);
        if (entry == TReportEntry::TonightOnTerminator) TerminatorView().Open();
    });
    return menu;
}

void TWindowSet::ConnectMain() {
    TMain* main = MainWindow.get();
    QObject::connect(main, &TMain::DateInfoRequested, main,
                     [this](const TDateRec& date) { DateInfo().ShowDateInfo(date); });
    QObject::connect(main, &TMain::MonthPickerRequested, main, [this] { MonthList().Open(); });
    QObject::connect(main, &TMain::ButtonClicked, main, [this](TMainButton button) {
        if (button == TMainButton::TimesList) TimesList().Open();
        if (button == TMainButton::Print) PrintOptions().Open();
        if (button == TMainButton::Eclipse) (void)Eclipse().Open();
        if (button == TMainButton::Reports) ReportMenu().Open();
        if (button == TMainButton::Config) Configuration().Open();
        if (button == TMainButton::Links) WebMenu().Open();
        if (button == TMainButton::About) About().Open();
    });
}

TWindowSet::~TWindowSet() = default;

void TWindowSet::Show() {
    MainWindow->show();
    if (Messages.isEmpty()) return;
    // Over the window once it is on the screen.
    QTimer::singleShot(0, MainWindow.get(),
                       [this] { ShowMessage(MainWindow.get(), StartupMessage(Messages)); });
}

void TWindowSet::BringToFront(const QString& activationToken) {
    // Wayland lets a window take the focus only with a token from the desktop; Qt hands
    // over the one in this variable at the next activation.
    if (!activationToken.isEmpty() && QGuiApplication::platformName().startsWith("wayland"))
        qputenv("XDG_ACTIVATION_TOKEN", activationToken.toUtf8());
    MainWindow->setWindowState(MainWindow->windowState() & ~Qt::WindowMinimized);
    MainWindow->show();
    MainWindow->raise();
    MainWindow->activateWindow();
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
    }
}
