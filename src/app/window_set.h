// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's windows, owned here for the whole run together with the settings store and
// the one program state they all read. The main window is made at start; every other window
// is made the first time it is asked for (opened by the user, or reached through its
// accessor) and kept from then on, so it holds its state between showings. Its artwork and
// whatever it computes are not paid for at start by a user who never opens it.

#include <memory>

#include <QString>
#include <QStringList>

#include "settings/settings_store.h"
#include "ui/common/clock_source.h"
#include "ui/common/program_state.h"
#include "ui/main/tmain.h"

class TTimesList;
class TPrintOptions;
class TMonthList;
class TEclipse;
class TDateInfo;
class TEquinox;
class TEclipseReport;
class TReportMenu;
class TEaster;
class TMonthlyPhases;
class TObservingAid;
class TDailyView;
class TConfiguration;
class TWebMenu;
class TAbout;
class TFeatures;
class TFeaturesDB;
class TTerminatorView;
class TNightVision;

struct TWindowSetup {
    QString SettingsPath;                // the settings database; empty for the default place
    TClockSource Clock;                  // the present instant; empty for the system clock
    TSystemClock* SystemClock = nullptr; // what Sync sets; null for the computer's clock
};

class TWindowSet {
  public:
    explicit TWindowSet(const TWindowSetup& setup = {});
    ~TWindowSet();
    TWindowSet(const TWindowSet&) = delete;
    TWindowSet& operator=(const TWindowSet&) = delete;

    [[nodiscard]] TMain& Main() { return *MainWindow; }
    [[nodiscard]] TProgramState& State() { return *ProgramState; }
    [[nodiscard]] TSettingsStore& Store() { return *SettingsStore; }
    [[nodiscard]] TTimesList& TimesList();
    [[nodiscard]] TPrintOptions& PrintOptions();
    [[nodiscard]] TMonthList& MonthList();
    [[nodiscard]] TEclipse& Eclipse();
    [[nodiscard]] TDateInfo& DateInfo();
    [[nodiscard]] TEquinox& Equinox();
    [[nodiscard]] TEclipseReport& EclipseReport();
    [[nodiscard]] TReportMenu& ReportMenu();
    [[nodiscard]] TEaster& Easter();
    [[nodiscard]] TMonthlyPhases& MonthlyPhases();
    [[nodiscard]] TObservingAid& ObservingAid();
    [[nodiscard]] TDailyView& DailyView();
    [[nodiscard]] TConfiguration& Configuration();
    [[nodiscard]] TWebMenu& WebMenu();
    [[nodiscard]] TAbout& About();
    [[nodiscard]] TFeatures& Features();
    [[nodiscard]] TFeaturesDB& FeaturesDB();
    [[nodiscard]] TTerminatorView& TerminatorView();
    [[nodiscard]] TNightVision& NightVision() { return *NightVisionSwitch; }
    // What the settings start-up had to tell the user (shown once, in one message).
    [[nodiscard]] const QStringList& StartupMessages() const { return Messages; }

    // Shows the main window, then the start-up message over it; the other windows stay
    // hidden until they are opened.
    void Show();
    // Brings the main window to the front (out of the dock when minimised), with the window
    // open over it, if any, on top. activationToken: the desktop's token that lets a window
    // take the focus (empty when there is none).
    void BringToFront(const QString& activationToken);

  private:
    // The window in its slot, made with args and the main window as its owner the first
    // time it is asked for.
    template <class TWindow, class... TArgs>
    TWindow& MadeOnce(std::unique_ptr<TWindow>& slot, TArgs&... args);
    void ConnectMain();

    std::unique_ptr<TSettingsStore> SettingsStore;
    std::unique_ptr<TProgramState> ProgramState;
    std::unique_ptr<TMain> MainWindow;
    std::unique_ptr<TTimesList> TimesListWindow;
    std::unique_ptr<TPrintOptions> PrintOptionsWindow;
    std::unique_ptr<TMonthList> MonthListWindow;
    std::unique_ptr<TEclipse> EclipseWindow;
    std::unique_ptr<TDateInfo> DateInfoWindow;
    std::unique_ptr<TEquinox> EquinoxWindow;
    std::unique_ptr<TEclipseReport> EclipseReportWindow;
    std::unique_ptr<TReportMenu> ReportMenuWindow;
    std::unique_ptr<TEaster> EasterWindow;
    std::unique_ptr<TMonthlyPhases> MonthlyPhasesWindow;
    std::unique_ptr<TObservingAid> ObservingAidWindow;
    std::unique_ptr<TDailyView> DailyViewWindow;
    std::unique_ptr<TConfiguration> ConfigurationWindow;
    std::unique_ptr<TWebMenu> WebMenuWindow;
    std::unique_ptr<TAbout> AboutWindow;
    std::unique_ptr<TFeatures> FeaturesWindow;
    std::unique_ptr<TFeaturesDB> FeaturesDBWindow;
    std::unique_ptr<TTerminatorView> TerminatorWindow;
    QStringList Messages;
    // Last, so it lets go of the windows before they go.
    std::unique_ptr<TNightVision> NightVisionSwitch;
};
