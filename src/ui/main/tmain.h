#pragma once

// TMain: the program's central window. It owns the selected moment, the clock correction,
// the observer and the month's derived data, shows the month calendar and, once a second,
// the Moon's and the Sun's data for the displayed moment.

#include <array>
#include <functional>
#include <memory>

#include <QDateTime>
#include <QImage>
#include <QList>
#include <QString>
#include <QTimer>

#include "engine/date_time.h"
#include "engine/lunar_eclipse.h"
#include "engine/observer.h"
#include "engine/phases.h"
#include "engine/text_helpers.h"
#include "settings/settings.h"
#include "ui/common/borderless_window.h"
#include "ui/main/calendar_layout.h"
#include "ui/main/clock_source.h"
#include "ui/main/panels_text.h"

class QLabel;
class TSettingsStore;
class TSystemClock;
class TTimeEditor;

// What TMain needs from its surroundings.
struct TMainSetup {
    QString SettingsPath; // the settings database; empty for the store's default place
    TClockSource Clock;   // empty for the system clock
    TSystemClock* SystemClock = nullptr; // what Sync sets; null for the computer's clock
    bool ShowWarnings = true; // settings repairs reported in message boxes (tests: false)
};

// The texts the tick computes and the window surface shows.
struct TSurfaceTexts {
    bool Valid = false;
    QString Visible;  // "57%     "
    QString Distance; // "384400 km  "
    TSexagesimal RightAscension;
    TSexagesimal Declination;
    TSexagesimal Parallax;
    TSexagesimal Diameter;
    TMoonAgeText Age;
    QString ApogeeTime, ApogeeDistance, PerigeeTime, PerigeeDistance;
};

class TMain : public TBorderlessWindow {
    Q_OBJECT
  public:
    explicit TMain(const TMainSetup& setup = {}, QWidget* parent = nullptr);
    ~TMain() override;

    // --- state other windows read ---
    TSettings Settings; // changed only by the configuration and print options windows
    [[nodiscard]] TSettingsStore& SettingsStore() { return *Store; }
    QStringList SettingsWarnings; // what the settings start-up reported
    TDateRec SelectedDate;
    double ClockOffset = 0.0; // days added to the clock to give the displayed moment
    TObserver Observer;
    double FontScale = 1.0;
    TNewMoonPair NewMoons;
    TPhaseList PhaseList;
    int PhaseCount = 0;
    EclipseCircumstances EclipseInfo;
    TMonthLayout Layout; // FirstWeekday, LeadingBlanks, MonthDays
    bool YearEditing = false;
    bool ShowAzAlt = true;
    bool TelescopeView = false;
    bool DiagonalView = false;
    int DayOrder = 0;
    QString LatDir = QStringLiteral("North");

    QList<QLabel*> DayLabels;  // 7 weekday headers
    QList<QLabel*> DateLabels; // 42 day cells, row-major

    // --- operations ---
    void SetDayTitles(int order);
    void ShowSelectedMonth(TDateRec date);
    void DateSelect(QLabel* cell);
    void AcceptYear();
    void OpenYearEditor();
    void ShowCursor(QLabel* label);
    void DisplayDateInfo(QLabel* cell, Qt::MouseButton button);
    void DisplayPhaseTimes();
    void SelectMajorPhaseDate(int index);
    void LibrationClick();
    void OpticsClick();
    void RefreshLatAndLong();
    // After the configuration screen: the civil time, position, weekday order and month.
    void ApplyChangedSettings();
    void Tick(); // the one-second step of Timer1

    // The displayed moment: local civil time as a Julian Day, its second of the day
    // (0..86400), and universal time.
    [[nodiscard]] double DisplayedJD() const;
    [[nodiscard]] double UniversalTime() const;
    [[nodiscard]] QDateTime ClockNow() const;

    // Children by their design names (tests and other windows).
    [[nodiscard]] QLabel* Control(const QString& name) const;
    [[nodiscard]] const TSurfaceTexts& SurfaceTexts() const { return Texts; }
    [[nodiscard]] QString PhaseName() const { return CurrentPhaseName; }
    [[nodiscard]] QString StripText() const { return CurrentStripText; }
    [[nodiscard]] QPoint HighlightPos() const { return CurrentDatePos; }
    [[nodiscard]] bool IsBlueMoonPicture(int index) const;

    // "HH:MM:SS" for the given local date and time taken as UT (useGivenDate), or "LST: "
    // and the time for the present moment of the system clock.
    [[nodiscard]] QString LocalSiderealTime(const TDateRec& date, bool useGivenDate) const;

    QTimer* Timer1 = nullptr;
    TTimeEditor* TimeEditor = nullptr; // the bar opened by lblClock
    QTimer* CursorTimer = nullptr;

    // Hooks for the windows that come later, attached by the window set.
    std::function<void(const TDateRec&)> OnDateInfo; // right click on a day
    std::function<void()> OnMonthPicker;             // click on the month caption
    std::function<void()> OnYearAccepted;            // Enter in the year editor
    std::function<void(const QString&)> OnButton;    // window buttons by design name

    // The last year the editor refused ("" when none); the message box says the same.
    QString LastYearError;
    [[nodiscard]] double Lunation() const { return LunationNow; }
    [[nodiscard]] const QImage& MoonImage() const { return MoonPicture; }
    void InvertPhaseIcons();

  signals:
    void MonthShown();

  protected:
    void PaintOver(QPainter& painter) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void FormCreate();
    void LoadSettingsAtStart();
    void CreateButtons();
    void CreateCaptions();
    void CreateCalendar();
    void CreatePhasePanel();
    void CreateTimeEditor();
    void PlaceMonthCaptions();
    void SetSelectedFromClock();
    void YearKey(char key);
    void DisplayLunarRiseSetTimes(const TDateRec& date);
    void DisplaySolarRiseSetTimes(const TDateRec& date);
    void ButtonClick(const QString& name);
    void FollowClock();
    void ComputeMoonAndSun(double ut);
    void ComputeApsides();
    void CheckEclipse();
    void RedrawMoon();
    void PaintMoon(QPainter& painter);
    void PaintSurfaceTexts(QPainter& painter);
    void LoadArtwork();
    void Warn(const QString& message);
    void ShowOpticsGlyph();
    void OrientMoon();
    [[nodiscard]] bool BlueMoonNow() const;
    [[nodiscard]] TDateRec ClockUniversal() const;
    QLabel* MakeLabel(const QString& name, const QRect& area, const QFont& font,
                      const QColor& colour, Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop);
    [[nodiscard]] QFont ArialPoints(int points, bool bold = false) const;

    TMainSetup Setup;
    std::unique_ptr<TSettingsStore> Store;
    std::unique_ptr<TSystemClock> OwnSystemClock;
    TSurfaceTexts Texts;
    QString CurrentPhaseName;
    QString CurrentStripText;
    QPoint CurrentDatePos{-100, -100};
    QImage StripBuffer;
    QImage MoonParams;
    QImage SunParams;
    QImage MoonPicture;
    std::array<bool, 5> BluePicture{};
    std::array<QImage, 5> PhasePictures; // new, last quarter, full, first quarter, blue
    QImage StripBackground;
    QImage MoonParamsBackground;
    QImage SunParamsBackground;
    QImage DayHighlight;
    QImage YearButton;
    QImage MoonPhoto;   // the photograph
    QImage MoonWorking; // shaded for the phase, before turning for hemisphere and optics
    std::array<QImage, 3> OpticsGlyphs; // binoculars, telescope, diagonal
    QImage EclipseGlyph;
    QPoint YearButtonPos{-100, -100};
    double LunationNow = 0.0;
    int IlluminationNow = 100;
    int MoonShadingKey = -1; // illumination and waxing of the picture last shaded
    bool FirstShow = true;
};
