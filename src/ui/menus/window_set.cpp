#include "ui/menus/window_set.h"

#include <QTimer>

#include "settings/ui/print_options.h"
#include "ui/common/messages.h"
#include "ui/common/settings_startup.h"
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
    TimesListWindow = std::make_unique<TTimesList>(*ProgramState, MainWindow.get());
    PrintOptionsWindow =
        std::make_unique<TPrintOptions>(*ProgramState, *SettingsStore, MainWindow.get());
    QObject::connect(MainWindow.get(), &TMain::ButtonClicked, MainWindow.get(),
                     [this](TMainButton button) {
                         if (button == TMainButton::TimesList) TimesListWindow->Open();
                         if (button == TMainButton::Print) PrintOptionsWindow->Open();
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
