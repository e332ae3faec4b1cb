// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/tmain.h"

#include <QFileInfo>
#include <QIcon>
#include <QKeyEvent>
#include <QPainter>

#include "engine/almanac_text.h"
#include "engine/moon.h"
#include "engine/phase_name.h"
#include "ui/common/art_names.h"
#include "ui/common/artwork.h"
#include "ui/common/desktop.h"
#include "ui/common/fonts.h"
#include "ui/common/look.h"
#include "ui/common/zone_caption.h"
#include "ui/main/calendar_panel.h"
#include "ui/main/clock_editor.h"
#include "ui/main/clock_strip.h"
#include "ui/main/main_art.h"
#include "ui/main/moon_data_panel.h"
#include "ui/main/moon_panel.h"
#include "ui/main/panels_text.h"
#include "ui/main/phase_list_panel.h"
#include "ui/main/sun_data_panel.h"
#include "ui/main/system_clock.h"

namespace {

struct TButtonDef {
    TMainButton Button;
    const char* Name;
    QRect Area;
    const char* Hint;
};

const TButtonDef ButtonDefs[] = {
    {TMainButton::Print, "lblPrint", {18, 14, 21, 21}, "Print Calendar for Month (Ctrl+P)"},
    {TMainButton::Optics,
     "imgOptics",
     {44, 13, 33, 24},
     "Switch between view as seen through Binoculars, a Telescope or a Diagonal"},
    {TMainButton::TimesList,
     "lblTimesList",
     {76, 14, 17, 19},
     "Display Moon/Sun Rise/Set times and Twilight times for month"},
    {TMainButton::Links, "lblLinks", {100, 14, 21, 19}, "Display links to Lunar Internet Sites"},
    {TMainButton::Clock, "lblClock", {128, 12, 23, 23}, "Change the time within Tidewell"},
    {TMainButton::Reports, "lblReports", {158, 14, 19, 19}, "Display menu showing Report options"},
    {TMainButton::Eclipse,
     "imgEclipse",
     {182, 12, 29, 25},
     "Display circumstances of Lunar Eclipse occurring this month"},
    {TMainButton::WebSite, "Label1", {446, 12, 21, 21}, "Open the help page at About Tidewell"},
    {TMainButton::Config, "lblConfig", {478, 14, 19, 19}, "Change configuration parameters"},
    {TMainButton::Help, "lblHelp", {510, 14, 23, 19}, "Display online help (F1)"},
    {TMainButton::About, "lblAbout", {544, 12, 17, 21}, "Display version information"},
};

// The keys that move the selected date: a number of days or of months.
struct TDateKey {
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
    int Days;
    int Months;
};

const TDateKey DateKeys[] = {
    {Qt::Key_Left, Qt::NoModifier, -1, 0},         {Qt::Key_Right, Qt::NoModifier, 1, 0},
    {Qt::Key_Up, Qt::NoModifier, -7, 0},           {Qt::Key_Down, Qt::NoModifier, 7, 0},
    {Qt::Key_PageUp, Qt::NoModifier, 0, -1},       {Qt::Key_PageDown, Qt::NoModifier, 0, 1},
    {Qt::Key_PageUp, Qt::ControlModifier, 0, -12}, {Qt::Key_PageDown, Qt::ControlModifier, 0, 12},
};

// The key's modifiers that choose what it does (the keypad's arrows are the arrows).
Qt::KeyboardModifiers ChoosingModifiers(const QKeyEvent& event) {
    return event.modifiers() & ~Qt::KeypadModifier;
}

} // namespace

TMain::TMain(TProgramState& state, const TMainSetup& setup, QWidget* parent)
    : TBorderlessWindow(TWindowRole::Main, parent), ProgramState(state) {
    setObjectName("Main");
    setWindowTitle("Tidewell");
    SetBackgroundArt("main-background.jpg");
    setFixedSize(MainWindowWidth, MainWindowHeight);
    const QString icon = ProgramFile("Tidewell.ico");
    // Without the icon file beside the program, the full Moon of the phase panel serves.
    setWindowIcon(!icon.isEmpty() ? QIcon(icon) : QIcon(ArtPath(ArtPhaseFull)));
    setFocusPolicy(Qt::StrongFocus);
    FontScale = ::FontScale(this);
    CreateParts(setup);
    CreateButtons();
    TickTimer.setInterval(1000);
    connect(&TickTimer, &QTimer::timeout, this, &TMain::Tick);
    connect(&State(), &TProgramState::Changed, this, [this](TStateChanges what) {
        if (what & (TStateChange::Month | TStateChange::Observer)) ShowEclipseButton();
        // Whatever changed, the displayed moment shows it at once, not a second later.
        if (TickTimer.isActive()) Tick();
    });
}

TMain::~TMain() = default;

void TMain::CreateParts(const TMainSetup& setup) {
    const TMainArt art = LoadMainArt();
    TSystemClock* clock = setup.SystemClock;
    if (clock == nullptr) {
        OwnSystemClock = std::make_unique<TRealSystemClock>();
        clock = OwnSystemClock.get();
    }
    MoonPart = new TMoonPanel(this, State(), art.MoonPhoto);
    MoonDataPart = new TMoonDataPanel(this, State(), art.MoonParamsBackground, FontScale);
    SunDataPart = new TSunDataPanel(this, State(), art.SunParamsBackground, FontScale);
    PhaseListPart = new TPhaseListPanel(this, State(), art.PhasePictures);
    CalendarPart = new TCalendarPanel(this, State(), {art.DayHighlight, art.YearButton}, FontScale);
    StripPart = new TClockStrip(this, State(), *clock, art.StripBackground, FontScale);
    connect(CalendarPart, &TCalendarPanel::DateInfoRequested, this, &TMain::DateInfoRequested);
    connect(CalendarPart, &TCalendarPanel::MonthPickerRequested, this,
            &TMain::MonthPickerRequested);
    connect(&Strip().Editor(), &TTimeEditor::TimerEnabled, this, [this](bool on) {
        if (on)
            TickTimer.start();
        else
            TickTimer.stop();
    });
    connect(MoonPart, &TMoonPanel::OpticsChanged, this, [this] { ShowOpticsGlyph(); });
    // The optics glyphs and the eclipse glyph are kept by their buttons.
    Optics = art.OpticsGlyphs;
    EclipsePicture = art.EclipseGlyph;
}

void TMain::CreateButtons() {
    AddTitleArea({264, 12, 113, 23});
    AddExitArea({614, 14, 13, 15}, "Exit Tidewell");
    AddMinimiseArea({592, 14, 15, 15}, "Minimize Tidewell");
    for (const TButtonDef& b : ButtonDefs) {
        TClickLabel* button = AddButton(b.Name, b.Area, b.Hint);
        connect(button, &TClickLabel::Clicked, this,
                [this, which = b.Button](Qt::MouseButton mouse, QPoint) {
                    // Buttons answer the left button only; a stray right click on Exit
                    // must not end the program.
                    if (mouse == Qt::LeftButton) ButtonClick(which);
                });
        if (b.Button == TMainButton::Optics) OpticsButton = button;
        if (b.Button == TMainButton::Eclipse) EclipseButton = button;
    }
    EclipseButton->setPixmap(QPixmap::fromImage(EclipsePicture));
    ShowEclipseButton();
    ShowOpticsGlyph();
}

void TMain::ButtonClick(TMainButton button) {
    switch (button) {
    case TMainButton::Optics:
        Moon().OpticsClick();
        return;
    case TMainButton::Help:
        OpenOnDesktop(this, HelpPageUrl(), QStringLiteral("the help page"));
        return;
    case TMainButton::WebSite:
        // There is no public home page: the help page says who makes Tidewell.
        OpenOnDesktop(this, HelpPageUrl(QStringLiteral("about")),
                      QStringLiteral("the help page's About Tidewell section"));
        return;
    case TMainButton::Clock:
        Calendar().AcceptYear();
        Strip().Editor().Open();
        return;
    default:
        Calendar().AcceptYear();
        emit ButtonClicked(button);
    }
}

void TMain::ShowOpticsGlyph() {
    const auto view = static_cast<size_t>(Moon().Optics());
    OpticsButton->setPixmap(QPixmap::fromImage(Optics[view]));
    // The glyph shows the view in force; a screen reader says it.
    static const char* const views[] = {"Binoculars", "Telescope", "Diagonal"};
    OpticsButton->setAccessibleDescription(QStringLiteral("Now: %1").arg(views[view]));
}

void TMain::ShowEclipseButton() {
    EclipseButton->setVisible(!State().Month().Eclipses.empty());
}

void TMain::showEvent(QShowEvent* event) {
    TBorderlessWindow::showEvent(event);
    if (FirstShow) {
        FirstShow = false;
        CentreOnScreen();
    }
    if (Strip().Editor().isHidden()) { // the display stands still while the time is edited
        TickTimer.start();
        Tick();
    }
}

void TMain::keyPressEvent(QKeyEvent* event) {
    if (Calendar().YearKeyPress(event)) return;
    if (DateKeyPress(*event) || CommandKeyPress(*event)) {
        event->accept();
        return;
    }
    TBorderlessWindow::keyPressEvent(event);
}

bool TMain::DateKeyPress(const QKeyEvent& event) {
    for (const TDateKey& k : DateKeys) {
        if (event.key() != k.Key || ChoosingModifiers(event) != k.Modifiers) continue;
        const TDateRec& from = State().SelectedDate();
        if (k.Days != 0) {
            const TDateRec to = JDToDate(JulianDayOf(from.Year, from.Month, from.Day, 12) + k.Days);
            (void)State().SelectDate(to.Year, to.Month, to.Day);
        } else {
            const int months = from.Year * 12 + (from.Month - 1) + k.Months;
            // The day is kept, or the month's last when it is shorter; years beyond the
            // calendar's are refused and nothing moves.
            (void)State().SelectDate(months / 12, months % 12 + 1, from.Day);
        }
        return true;
    }
    return false;
}

bool TMain::CommandKeyPress(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = ChoosingModifiers(event);
    if (modifiers == Qt::ControlModifier && event.key() == Qt::Key_P)
        ButtonClick(TMainButton::Print);
    else if (modifiers == Qt::ControlModifier && event.key() == Qt::Key_Q)
        ExitClick();
    else if (modifiers == Qt::NoModifier && event.key() == Qt::Key_F1)
        ButtonClick(TMainButton::Help);
    else if (modifiers == Qt::NoModifier && event.key() == Qt::Key_Home)
        Strip().Editor().NowClick();
    else
        return false;
    return true;
}

// --- the tick ---

void TMain::Tick() {
    State().FollowClock();
    const double ut = State().UniversalTime();
    TSunData sun;
    const TMoonData moon = MoonPosition(ut, State().Observer(), sun);
    // The pair around the displayed moment, not the day's, so the age never runs negative or
    // past a lunation when a new moon passes during the day.
    const TNewMoonPair& newMoons = State().NewMoonsAround(ut);
    const double age = ut - newMoons.PrevNewMoon;
    const double lunation = LunationPercent(age, newMoons.PrevNewMoon, newMoons.NextNewMoon);
    PhaseNameNow = Q(MoonPhaseName(lunation, State().SelectedDate().Month, BlueMoonNow()));
    Moon().ShowPhase(moon.IlluminationPercent, lunation);
    MoonData().ShowMoment(moon, age);
    SunData().ShowMoment(sun);
    const QString time = Q(DateTimeText(JDToDate(State().DisplayedJD())));
    const QString zone = ZoneCaption(State().Settings(), State().Observer().Zone, ut, ut);
    Strip().ShowMoment(
        time + " - " + PhaseNameNow,
        ZoneAndSiderealText(ClockStripFont(FontScale), zone, LocalSiderealTime({}, false)));
}

bool TMain::BlueMoonNow() const {
    // The month's second full moon, from twelve hours before its instant (compared with the
    // displayed moment, so a jump to that phase shows it too).
    const TMonthData& month = State().Month();
    return month.PhaseCount == 5 && month.Phases[4].PhaseType == TPhaseType::FullMoon &&
           month.Phases[4].JDLocal - 0.5 < State().DisplayedJD();
}

QString TMain::LocalSiderealTime(const TDateRec& date, bool useGivenDate) const {
    const double longitude = State().Observer().ObserverLongitude;
    if (useGivenDate) return Q(LocalSiderealTimeText(JulianDay(date), longitude));
    // The present moment, whatever day is selected and however the clock is shifted.
    return QStringLiteral("LST: ") +
           Q(LocalSiderealTimeText(JulianDay(State().UniversalNow()), longitude));
}
