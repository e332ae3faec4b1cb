// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TMain: the program's central window. It shows the program state's month in its calendar
// and, once a second, the Moon's and the Sun's data for the displayed moment. It is built
// from parts, each with its own area of the window:
//
//   TClockStrip       the displayed moment, phase name and sidereal time, the time editor
//   TMoonPanel        the drawing of the phase for the hemisphere and the optics
//   TMoonDataPanel    the Moon's values, its rise/transit/set rows and parameter box
//   TSunDataPanel     the Sun's times, the twilights and the Sun's parameter box
//   TPhaseListPanel   the month's principal phases
//   TCalendarPanel    the month calendar with the year editor
//
// The buttons of the title bar open other windows through ButtonClicked; the window set
// connects them.

#include <array>
#include <memory>

#include <QImage>
#include <QString>
#include <QTimer>

#include "engine/phases.h"
#include "ui/common/borderless_window.h"
#include "ui/common/program_state.h"

class TCalendarPanel;
class TClockStrip;
class TMoonDataPanel;
class TMoonPanel;
class TPhaseListPanel;
class TSunDataPanel;
class TSystemClock;

// What TMain needs from its surroundings besides the program state.
struct TMainSetup {
    TSystemClock* SystemClock = nullptr; // what Sync sets; null for the computer's clock
};

// The title bar's buttons.
enum class TMainButton {
    Print,     // lblPrint: the month calendar's print options
    Optics,    // imgOptics
    TimesList, // lblTimesList
    Links,     // lblLinks: the web links menu
    Clock,     // lblClock: the time editor
    Reports,   // lblReports: the report menu
    Eclipse,   // imgEclipse: the month's eclipse
    WebSite,   // Label1: the help page's "About Tidewell"
    Config,    // lblConfig
    Help,      // lblHelp
    About,     // lblAbout
};

class TMain : public TBorderlessWindow {
    Q_OBJECT
  public:
    explicit TMain(TProgramState& state, const TMainSetup& setup = {}, QWidget* parent = nullptr);
    ~TMain() override;

    // The one-second step of the tick timer.
    void Tick();
    void ButtonClick(TMainButton button);

    [[nodiscard]] TProgramState& State() const { return ProgramState; }
    [[nodiscard]] TCalendarPanel& Calendar() const { return *CalendarPart; }
    [[nodiscard]] TMoonPanel& Moon() const { return *MoonPart; }
    [[nodiscard]] TMoonDataPanel& MoonData() const { return *MoonDataPart; }
    [[nodiscard]] TSunDataPanel& SunData() const { return *SunDataPart; }
    [[nodiscard]] TPhaseListPanel& PhaseList() const { return *PhaseListPart; }
    [[nodiscard]] TClockStrip& Strip() const { return *StripPart; }
    [[nodiscard]] const QString& PhaseName() const { return PhaseNameNow; }
    // The one-second tick timer.

    // "HH:MM:SS" of the local sidereal time at the given local date taken as universal time
    // (useGivenDate), or "LST: " and the time at the present moment.
    [[nodiscard]] QString LocalSiderealTime(const TDateRec& date, bool useGivenDate) const;

  signals:
    // A button whose window the window set opens.
    void ButtonClicked(TMainButton button);
    // A right click on a day of the calendar.
    void DateInfoRequested(const TDateRec& date);
    // A click on the month caption.
    void MonthPickerRequested();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void CreateButtons();
    // The keys of the main window: the arrows and Page Up/Down move the selected date; Home,
    // Ctrl+P, Ctrl+Q and F1 act as the present moment, print, exit and help. False for
    // other keys.
    bool DateKeyPress(const QKeyEvent& event);
    bool CommandKeyPress(const QKeyEvent& event);
    void CreateParts(const TMainSetup& setup);
    void ShowOpticsGlyph();
    void ShowEclipseButton();
    [[nodiscard]] bool BlueMoonNow() const;

    TProgramState& ProgramState;
    double FontScale = 1.0;
    QTimer TickTimer;
    std::unique_ptr<TSystemClock> OwnSystemClock;
    TCalendarPanel* CalendarPart = nullptr;
    TMoonPanel* MoonPart = nullptr;
    TMoonDataPanel* MoonDataPart = nullptr;
    TSunDataPanel* SunDataPart = nullptr;
    TPhaseListPanel* PhaseListPart = nullptr;
    TClockStrip* StripPart = nullptr;
    TClickLabel* OpticsButton = nullptr;
    TClickLabel* EclipseButton = nullptr;
    std::array<QImage, 3> Optics; // binoculars, telescope, diagonal glyphs
    QImage EclipsePicture;
    QString PhaseNameNow;
    bool FirstShow = true;
};
