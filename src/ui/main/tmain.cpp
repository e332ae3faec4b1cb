#include "ui/main/tmain.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QUrl>

#include "settings/settings_store.h"
#include "ui/common/art_names.h"
#include "ui/common/artwork.h"
#include "ui/common/click_label.h"
#include "ui/common/fonts.h"
#include "ui/main/clock_editor.h"
#include "ui/main/clock_time.h"
#include "ui/main/panels_draw.h"
#include "ui/main/system_clock.h"

namespace {

const QColor Aqua(0, 255, 255);
const QColor PanelText(255, 255, 176);
const QColor MonthColour(60, 60, 60);
const QColor ShadowColour(210, 210, 210);

// A file supplied with the program, looked up as the feature data are: the working
// directory first, then beside the executable, then two folders above it (an installed
// bin/ beside share/, or a build folder's Data/), then three (the source tree when the
// program runs from build/src/ui). Not found: the working directory's path, for the
// desktop's handler to report.
QString ProgramFile(const QString& relative) {
    const QString exe = QCoreApplication::applicationDirPath();
    for (const QString& folder : {QString("."), exe, exe + "/../..", exe + "/../../.."}) {
        const QFileInfo candidate(folder + "/" + relative);
        if (candidate.exists()) return candidate.canonicalFilePath();
    }
    return QFileInfo(relative).absoluteFilePath();
}

// The author's web site, opened by Label1.
const QString AuthorSiteUrl = QStringLiteral("https://tidewell.example.org/");

} // namespace

TMain::TMain(const TMainSetup& setup, QWidget* parent)
    : TBorderlessWindow(TWindowRole::Main, parent), Setup(setup) {
    FormCreate();
}

TMain::~TMain() = default;

QDateTime TMain::ClockNow() const {
    return Setup.Clock ? Setup.Clock() : SystemClockNow();
}

QFont TMain::ArialPoints(int points, bool bold) const {
    return ScaledFont(ArialFamily, points, FontScale, bold);
}

QLabel* TMain::Control(const QString& name) const {
    return findChild<QLabel*>(name);
}

QLabel* TMain::MakeLabel(const QString& name, const QRect& area, const QFont& font,
                         const QColor& colour, Qt::Alignment align) {
    auto* label = new TClickLabel(this);
    label->setObjectName(name);
    label->setGeometry(area);
    label->setFont(font);
    SetTextColour(label, colour);
    label->setAlignment(align);
    return label;
}

void TMain::SetSelectedFromClock() {
    const QDateTime now = ClockNow();
    const QDate d = now.date();
    const QTime t = now.time();
    SelectedDate.Day = static_cast<std::uint16_t>(d.day());
    SelectedDate.Month = static_cast<std::uint16_t>(d.month());
    SelectedDate.Year = static_cast<std::uint16_t>(d.year());
    SelectedDate.Hour = static_cast<std::uint16_t>(t.hour());
    SelectedDate.Minute = static_cast<std::uint16_t>(t.minute());
    SelectedDate.Second = static_cast<std::uint16_t>(t.second());
    SelectedDate.MSec = static_cast<std::uint16_t>(t.msec());
    SelectedDate.JD = JulianDay(SelectedDate);
}

void TMain::FormCreate() {
    // 1. The window, its icon and the hint pause.
    setObjectName("Main");
    setWindowTitle("Tidewell");
    SetBackgroundArt("main-background.jpg");
    setFixedSize(640, 480);
    const QString icon = ProgramFile("Tidewell.ico");
    // Without the icon file beside the program, the full Moon of the phase panel serves.
    setWindowIcon(QFileInfo::exists(icon) ? QIcon(icon) : QIcon(ArtPath(ArtPhaseFull)));
    setFocusPolicy(Qt::StrongFocus);
    // 2. Font scale.
    FontScale = ::FontScale(this);
    // 3.-6. Fonts and colours follow with the controls.
    ClockOffset = 0.0;
    SetSelectedFromClock();
    LoadArtwork();
    StripBuffer = StripBackground.copy(0, 0, 640, 25);
    // 7. Settings; 8. the date again; 9. the observer's civil time.
    LoadSettingsAtStart();
    SetSelectedFromClock();
    RefreshLatAndLong();
    // 10. Binoculars.
    TelescopeView = false;
    DiagonalView = false;
    ShowAzAlt = true;

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TMain::Tick);
    CursorTimer = new QTimer(this);
    CursorTimer->setInterval(250);
    connect(CursorTimer, &QTimer::timeout, this, [this] {
        QLabel* cursor = Control("lblCursor");
        cursor->setVisible(!cursor->isVisible());
    });

    CreateCaptions();
    CreateButtons();
    CreatePhasePanel();
    CreateTimeEditor();
    // 11. Headers and cells.
    CreateCalendar();
    ShowSelectedMonth(SelectedDate);
}

void TMain::CreateCaptions() {
    const QFont big = PixelFont(ArialFamily, 19, true);
    QLabel* monthShadow =
        MakeLabel("lblSelectedMonthShadow", {421, 261, 10, 22}, big, ShadowColour);
    QLabel* yearShadow = MakeLabel("lblSelectedYearShadow", {521, 261, 10, 22}, big, ShadowColour);
    auto* month = static_cast<TClickLabel*>(
        MakeLabel("lblSelectedmonth", {420, 260, 10, 22}, big, MonthColour));
    auto* year = static_cast<TClickLabel*>(
        MakeLabel("lblSelectedYear", {520, 260, 10, 22}, big, MonthColour));
    monthShadow->lower();
    yearShadow->lower();
    connect(month, &TClickLabel::Clicked, this, [this](Qt::MouseButton, QPoint) {
        AcceptYear();
        if (OnMonthPicker) OnMonthPicker();
    });
    connect(year, &TClickLabel::Clicked, this,
            [this](Qt::MouseButton, QPoint) { OpenYearEditor(); });
    QLabel* cursor = MakeLabel("lblCursor", {0, 0, 8, 24}, ArialPoints(14, true), Qt::black);
    cursor->setText("|");
    cursor->hide();

    // Fixed captions of the Moon column (yellow on the dark panel).
    const QFont caption = PixelFont(ArialFamily, 12);
    struct TCaption {
        const char* Name;
        const char* Text;
        int Top;
        const char* Hint;
    };
    static constexpr TCaption moonCaptions[] = {
        {"lblVisible", "Visible:", 80, ""},
        {"lblAge", "Age:", 94, ""},
        {"lblDistance", "Distance:", 110, ""},
        {"lblRA", "R.A.:", 134, "Moon's Right Ascension"},
        {"lblDec", "Dec.:", 148, "Moon's Declination"},
        {"lblParallax", "Parallax:", 162, ""},
        {"lblDiameter", "Diameter:", 176, ""},
        {"lblApogee", "Apogee:", 204, "Moon's Farthest Distance from Earth"},
        {"lblPerigee", "Perigee:", 218, "Moon's Closest Distance to Earth"},
    };
    for (const TCaption& c : moonCaptions) {
        QLabel* label = MakeLabel(c.Name, {188, c.Top, 60, 14}, caption, Qt::yellow);
        label->setText(c.Text);
        SetHint(label, c.Hint);
    }

    // Sun and twilight rows (window text on the light strip).
    const QFont bold = PixelFont(ArialFamily, 12, true);
    const QColor windowText(0, 0, 0);
    const std::pair<const char*, QPoint> fixed[] = {
        {"Sunrise:", {32, 300}},  {"Transit:", {32, 316}},      {"Sunset:", {32, 332}},
        {"Start", {130, 390}},    {"End", {212, 390}},          {"Civil:", {32, 404}},
        {"Nautical:", {32, 420}}, {"Astronomical:", {32, 436}},
    };
    int n = 0;
    for (const auto& [text, at] : fixed) {
        QLabel* label =
            MakeLabel(QStringLiteral("lblFixed%1").arg(n++), {at, QSize(90, 14)}, bold, windowText);
        label->setText(text);
        label->adjustSize();
    }

    // Values set by the program.
    const QFont value = PixelFont(ArialFamily, 12);
    const char* moonTitles[] = {"lblMoonTitle1", "lblMoonTitle2", "lblMoontitle3"};
    for (int k = 0; k < 3; ++k) {
        MakeLabel(moonTitles[k], {150, 300 + 16 * k, 62, 14}, bold, PanelText);
        MakeLabel(QStringLiteral("lblMoonValue%1").arg(k + 1), {212, 300 + 16 * k, 48, 14}, value,
                  PanelText);
    }
    const char* sunNames[] = {"lblSunRise", "lblSunTransit", "lblSunSet"};
    for (int k = 0; k < 3; ++k)
        MakeLabel(sunNames[k], {94, 300 + 16 * k, 48, 14}, value, PanelText);
    const char* twilightStart[] = {"lblCivilStart", "lblNauticalStart", "lblAstroStart"};
    const char* twilightEnd[] = {"lblCivilEnd", "lblNauticalEnd", "lblAstroEnd"};
    for (int k = 0; k < 3; ++k) {
        MakeLabel(twilightStart[k], {130, 406 + 16 * k, 48, 14}, value, PanelText);
        MakeLabel(twilightEnd[k], {212, 406 + 16 * k, 48, 14}, value, PanelText);
    }

    // The Moon and Sun parameter panels' captions (white).
    const char* lunar[] = {"lblLunarAz", "lblLunarAlt", "lblLunarPA", "lblLunarPhA"};
    const char* lunarText[] = {"Az.:", "Alt.:", "P.A.:", "Ph.A:"};
    for (int k = 0; k < 4; ++k)
        MakeLabel(lunar[k], {284, 284 + 16 * k, 30, 14}, caption, Qt::white)->setText(lunarText[k]);
    const char* solarText[] = {"Az.:", "Alt.:", "R.A.:", "Dec.:"};
    for (int k = 0; k < 4; ++k)
        MakeLabel(QStringLiteral("lblSolar%1").arg(k), {284, 390 + 16 * k, 30, 14}, caption,
                  Qt::white)
            ->setText(solarText[k]);
}

void TMain::CreateButtons() {
    AddTitleArea({264, 12, 113, 23});
    AddExitArea({614, 14, 13, 15}, "Exit Tidewell");
    AddMinimiseArea({592, 14, 15, 15}, "Minimize Tidewell");
    struct TButton {
        const char* Name;
        QRect Area;
        const char* Hint;
    };
    const TButton buttons[] = {
        {"lblPrint", {18, 14, 21, 21}, "Print Calendar for Month"},
        {"imgOptics",
         {44, 13, 33, 24},
         "Switch between view as seen through Binoculars, a Telescope or a Diagonal"},
        {"lblTimesList",
         {76, 14, 17, 19},
         "Display Moon/Sun Rise/Set times and Twilight times for month"},
        {"lblLinks", {100, 14, 21, 19}, "Display links to Lunar Internet Sites"},
        {"lblClock", {128, 12, 23, 23}, "Change the time within Tidewell"},
        {"lblReports", {158, 14, 19, 19}, "Display menu showing Report options"},
        {"imgEclipse",
         {182, 12, 29, 25},
         "Display circumstances of Lunar Eclipse occurring this month"},
        {"Label1", {446, 12, 21, 21}, "Visit the Tidewell web site"},
        {"lblConfig", {478, 14, 19, 19}, "Change configuration parameters"},
        {"lblHelp", {510, 14, 23, 19}, "Display online help"},
        {"lblAbout", {544, 12, 17, 21}, "Display version information"},
        {"lblLibration", {380, 264, 13, 17}, ""},
    };
    for (const TButton& b : buttons) {
        TClickLabel* button = AddButton(b.Name, b.Area, b.Hint);
        connect(button, &TClickLabel::Clicked, this,
                [this, name = QString(b.Name)](Qt::MouseButton mouse, QPoint) {
                    // Buttons answer the left button only; a stray right click on Exit
                    // must not end the program.
                    if (mouse == Qt::LeftButton) ButtonClick(name);
                });
    }
    Control("imgEclipse")->setPixmap(QPixmap::fromImage(EclipseGlyph));
    Control("imgEclipse")->hide();
    ShowOpticsGlyph();
}

void TMain::ButtonClick(const QString& name) {
    if (name == "imgOptics") {
        OpticsClick();
    } else if (name == "lblLibration") {
        LibrationClick();
    } else if (name == "Label1") {
        QDesktopServices::openUrl(QUrl(AuthorSiteUrl));
    } else if (name == "lblHelp") {
        QDesktopServices::openUrl(QUrl::fromLocalFile(ProgramFile("docs/tidewell.htm")));
    } else if (name == "lblClock") {
        AcceptYear();
        TimeEditor->Open();
    } else if (OnButton) {
        // The windows these buttons open are attached by the window set.
        OnButton(name);
    }
}

void TMain::CreateTimeEditor() {
    TSystemClock* clock = Setup.SystemClock;
    if (clock == nullptr) {
        OwnSystemClock = std::make_unique<TRealSystemClock>();
        clock = OwnSystemClock.get();
    }
    TimeEditor = new TTimeEditor(this, Setup.Clock, *clock, FontScale);
    TimeEditor->Bind(SelectedDate, ClockOffset, Observer);
    TimeEditor->SetTimeServer(QString::fromStdString(Settings.TimeServer));
    connect(TimeEditor, &TTimeEditor::TimerEnabled, this, [this](bool on) {
        if (on)
            Timer1->start();
        else
            Timer1->stop();
    });
    connect(TimeEditor, &TTimeEditor::DateChanged, this,
            [this] { ShowSelectedMonth(SelectedDate); });
    connect(TimeEditor, &TTimeEditor::EditorShown, this, [this](bool) {
        CursorTimer->stop();
        Control("lblCursor")->hide();
    });
}

void TMain::showEvent(QShowEvent* event) {
    TBorderlessWindow::showEvent(event);
    if (FirstShow) {
        FirstShow = false;
        if (LatDir == "South") InvertPhaseIcons();
        CentreOnScreen();
    }
    if (TimeEditor->isHidden()) { // the display stands still while the time is edited
        Timer1->start();
        Tick();
    }
}

void TMain::changeEvent(QEvent* event) {
    TBorderlessWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        // Settings changed in another window reach the display here.
        RefreshLatAndLong();
        ShowSelectedMonth(SelectedDate);
    }
}

double TMain::DisplayedJD() const {
    return ::DisplayedJD(SelectedDate, ClockOffset);
}

double TMain::UniversalTime() const {
    return DisplayedJD() - Observer.LocalOffsetDays();
}

void TMain::PaintOver(QPainter& painter) {
    if (Background().isNull()) painter.fillRect(rect(), QColor(24, 28, 40));
    if (!StripBuffer.isNull()) painter.drawImage(0, 40, StripBuffer);
    if (CurrentDatePos.x() >= 0) painter.drawImage(CurrentDatePos, DayHighlight);
    if (YearEditing) painter.drawImage(YearButtonPos, YearButton);
    PaintMoon(painter);
    PaintSurfaceTexts(painter);
    if (!MoonParams.isNull()) painter.drawImage(315, 280, MoonParams);
    if (!SunParams.isNull()) painter.drawImage(315, 387, SunParams);
}
