#include "app/window_set.h"

#include <initializer_list>

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
    // The main window comes first: the month it shows is computed before any other window
    // exists.
    TMainSetup mainSetup;
    mainSetup.SystemClock = setup.SystemClock;
    MainWindow = std::make_unique<TMain>(*ProgramState, mainSetup);
    // The other windows in their fixed order, hidden until opened.
    TMain* main = MainWindow.get();
    TimesListWindow = std::make_unique<TTimesList>(*ProgramState, MainWindow.get());
    ConfigurationWindow = std::make_unique<TConfiguration>(*ProgramState, *SettingsStore, main);
    WebMenuWindow = std::make_unique<TWebMenu>(main);
    MonthListWindow = std::make_unique<TMonthList>(*ProgramState, main);
    EclipseWindow = std::make_unique<TEclipse>(*ProgramState, main);
    AboutWindow = std::make_unique<TAbout>(main);
    PrintOptionsWindow =
        std::make_unique<TPrintOptions>(*ProgramState, *SettingsStore, MainWindow.get());
    DateInfoWindow = std::make_unique<TDateInfo>(main);
    EquinoxWindow = std::make_unique<TEquinox>(*ProgramState, main);
    EclipseReportWindow = std::make_unique<TEclipseReport>(*ProgramState, main);
    ReportMenuWindow = std::make_unique<TReportMenu>(main);
    MonthlyPhasesWindow = std::make_unique<TMonthlyPhases>(*ProgramState, main);
    ObservingAidWindow = std::make_unique<TObservingAid>(*ProgramState, main);
    EasterWindow = std::make_unique<TEaster>(*ProgramState, main);
    FeaturesWindow = std::make_unique<TFeatures>(*ProgramState, main);
    FeaturesDBWindow = std::make_unique<TFeaturesDB>(main);
    DailyViewWindow = std::make_unique<TDailyView>(*ProgramState, main);
    TerminatorWindow = std::make_unique<TTerminatorView>(*ProgramState, main);
    // Every other window belongs to the main window: kept above it, its pop-ups placed on it.
    for (TBorderlessWindow* window : std::initializer_list<TBorderlessWindow*>{
             TimesListWindow.get(), ConfigurationWindow.get(), WebMenuWindow.get(),
             MonthListWindow.get(), EclipseWindow.get(), AboutWindow.get(),
             PrintOptionsWindow.get(), DateInfoWindow.get(), EquinoxWindow.get(),
             EclipseReportWindow.get(), ReportMenuWindow.get(), MonthlyPhasesWindow.get(),
             ObservingAidWindow.get(), EasterWindow.get(), FeaturesWindow.get(),
             FeaturesDBWindow.get(), DailyViewWindow.get(), TerminatorWindow.get()})
        window->BelongTo(main);
    QObject::connect(FeaturesWindow.get(), &TFeatures::DatabaseRequested, main,
                     [this](int index) { FeaturesDBWindow->Display(index, FeaturesWindow.get()); });
    // The eclipse chosen in the report: the screen opens, the pair side by side under the
    // main window.
    QObject::connect(EclipseReportWindow.get(), &TEclipseReport::EclipseChosen, main, [this] {
        if (EclipseWindow->Open())
            PlacePairUnder(*EclipseWindow, *EclipseReportWindow, *MainWindow);
    });
    QObject::connect(main, &TMain::DateInfoRequested, DateInfoWindow.get(),
                     &TDateInfo::ShowDateInfo);
    QObject::connect(main, &TMain::MonthPickerRequested, MonthListWindow.get(), &TMonthList::Open);
    QObject::connect(
        ReportMenuWindow.get(), &TReportMenu::EntryChosen, main, [this](TReportEntry entry) {
            if (entry == TReportEntry::FindEclipses) EclipseReportWindow->Open();
            if (entry == TReportEntry::EquinoxInfo)
                EquinoxWindow->EquinoxesAndSolstices(ProgramState->SelectedDate().Year);
            if (entry == TReportEntry::Easter) EasterWindow->Open();
            if (entry == TReportEntry::LunarVisibility) ObservingAidWindow->Open();
            if (entry == TReportEntry::DailyView) DailyViewWindow->Open();
            if (entry == TReportEntry::DisplayPhases) MonthlyPhasesWindow->Open();
            if (entry == TReportEntry::FeaturesDB)
                FeaturesDBWindow->Display(ProgramState->Settings().FeatureIdx);
            if (entry == TReportEntry::LunarFeatures)
                FeaturesWindow->Display(ProgramState->Settings().FeatureIdx);
            if (entry == TReportEntry::ExportToCalendar)
                ExportCalendar(MainWindow.get(), *ProgramState);
            if (entry == TReportEntry::TonightOnTerminator) TerminatorWindow->Open();
        });
    QObject::connect(MainWindow.get(), &TMain::ButtonClicked, MainWindow.get(),
                     [this](TMainButton button) {
                         if (button == TMainButton::TimesList) TimesListWindow->Open();
                         if (button == TMainButton::Print) PrintOptionsWindow->Open();
                         if (button == TMainButton::Eclipse) (void)EclipseWindow->Open();
                         if (button == TMainButton::Reports) ReportMenuWindow->Open();
                         if (button == TMainButton::Config) ConfigurationWindow->Open();
                         if (button == TMainButton::Links) WebMenuWindow->Open();
                         if (button == TMainButton::About) AboutWindow->Open();
                     });
    // The night-vision look over every window, from the start when it was chosen before.
    NightVisionSwitch = std::make_unique<TNightVision>(*ProgramState, *SettingsStore);
}

TWindowSet::~TWindowSet() = default;

void TWindowSet::Show() {
    MainWindow->show();
    if (Messages.isEmpty()) return;
    // Over the window once it is on the screen.
    QTimer::singleShot(0, MainWindow.get(),
                       [this] { ShowMessage(MainWindow.get(), StartupMessage(Messages)); });
}
