// The data panels of the main window: the one-second tick and what it shows, the month's
// principal phases, the Moon and Sun rise/transit/set rows.

#include <cmath>

#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QRegion>

#include "engine/phase_name.h"
#include "ui/common/artwork.h"
#include "ui/common/click_label.h"
#include "ui/common/fonts.h"
#include "ui/main/clock_strip.h"
#include "ui/main/clock_time.h"
#include "ui/main/panels_draw.h"
#include "ui/main/tmain.h"

namespace {

const QColor Aqua(0, 255, 255);
const QColor PanelText(255, 255, 176);

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

// --- the tick ---

void TMain::Tick() {
    FollowClock();
    const double ut = UniversalTime();
    ComputeMoonAndSun(ut);
    const QString time = Q(DateTimeText(JDToDate(DisplayedJD())));
    if (ut < NewMoons.PrevNewMoon || ut >= NewMoons.NextNewMoon) {
        // The day's pair no longer holds the displayed moment (a new moon passed during the
        // day, or the civil day straddles one): take the pair around the moment in UT, so
        // the age never runs negative or past a lunation.
        TDateRec moment = SelectedDate;
        moment.JD = ut;
        NewMoons = BracketingNewMoons(moment);
    }
    const double age = ut - NewMoons.PrevNewMoon;
    Texts.Age = MoonAgeTexts(age);
    Texts.Valid = true;
    const double p = LunationPercent(age, NewMoons.PrevNewMoon, NewMoons.NextNewMoon);
    CurrentPhaseName = Q(MoonPhaseName(p, SelectedDate.Month, BlueMoonNow()));
    LunationNow = p;
    RedrawMoon();
    CurrentStripText = time + " - " + CurrentPhaseName;
    const QString lst = QStringLiteral("LST: ") +
                        Q(LocalSiderealTimeText(ClockUniversal(), Observer.ObserverLongitude));
    StripBuffer =
        ComposeClockStrip(StripBackground, ClockStripFont(FontScale), CurrentStripText, lst);
    // Only what a tick changes: the clock strip, the Moon, the values beside it and the
    // two parameter panels.
    QRegion changed(0, 40, 640, 25);
    changed += QRect(26, 80, 156, 156);
    changed += QRect(240, 78, 180, 156);
    changed += QRect(315, 280, 86, 67);
    changed += QRect(315, 387, 84, 67);
    update(changed);
}

QString TMain::LocalSiderealTime(const TDateRec& date, bool useGivenDate) const {
    if (useGivenDate) return Q(LocalSiderealTimeText(date, Observer.ObserverLongitude));
    // The present moment, whatever day is selected and however the clock is shifted.
    return QStringLiteral("LST: ") +
           Q(LocalSiderealTimeText(ClockUniversal(), Observer.ObserverLongitude));
}

bool TMain::BlueMoonNow() const {
    // The month's second full moon, from twelve hours before its instant (compared with
    // the displayed moment, so a jump to that phase shows it too).
    return PhaseCount == 5 && PhaseList[4].PhaseType == PhaseFullMoon &&
           PhaseList[4].JDLocal - 0.5 < DisplayedJD();
}

TDateRec TMain::ClockUniversal() const {
    const QDateTime utc = ClockNow().toUTC();
    TDateRec d;
    d.Year = static_cast<std::uint16_t>(utc.date().year());
    d.Month = static_cast<std::uint16_t>(utc.date().month());
    d.Day = static_cast<std::uint16_t>(utc.date().day());
    d.Hour = static_cast<std::uint16_t>(utc.time().hour());
    d.Minute = static_cast<std::uint16_t>(utc.time().minute());
    d.Second = static_cast<std::uint16_t>(utc.time().second());
    d.MSec = static_cast<std::uint16_t>(utc.time().msec());
    return d;
}

void TMain::FollowClock() {
    if (GetTime(SelectedDate, ClockOffset, ClockNow())) ShowSelectedMonth(SelectedDate);
}

// --- the month's principal phases ---

void TMain::DisplayPhaseTimes() {
    PhaseCount = MonthPhases(SelectedDate, Observer, PhaseList);
    CheckEclipse();
    for (int k = 0; k < MaxMonthPhases; ++k) {
        QLabel* label = Control(QStringLiteral("lblPhase%1").arg(k + 1));
        QLabel* picture = Control(QStringLiteral("imgPhase%1").arg(k + 1));
        const bool shown = k < PhaseCount;
        label->setVisible(shown);
        picture->setVisible(shown);
        BluePicture[static_cast<size_t>(k)] = false;
        if (!shown) continue;
        const TPhaseEntry& entry = PhaseList[static_cast<size_t>(k)];
        label->setText(Q(entry.Text));
        int art = entry.PhaseType;
        if (k == 4 && entry.PhaseType == PhaseFullMoon) {
            art = 4;
            BluePicture[4] = true;
        }
        picture->setPixmap(QPixmap::fromImage(PhasePictures[static_cast<size_t>(art)]));
    }
}

bool TMain::IsBlueMoonPicture(int index) const {
    return index >= 0 && index < 5 && BluePicture[static_cast<size_t>(index)];
}

void TMain::CreatePhasePanel() {
    const QFont font = PixelFont(ArialFamily, 12);
    for (int k = 0; k < MaxMonthPhases; ++k) {
        QLabel* label = MakeLabel(QStringLiteral("lblPhase%1").arg(k + 1),
                                  {466, 88 + 32 * k, 150, 14}, font, Aqua);
        auto* picture = new TClickLabel(this);
        picture->setObjectName(QStringLiteral("imgPhase%1").arg(k + 1));
        picture->setGeometry(426, 78 + 32 * k, 30, 30);
        for (auto* clickable : {static_cast<TClickLabel*>(label), picture})
            connect(clickable, &TClickLabel::Clicked, this,
                    [this, k](Qt::MouseButton, QPoint) { SelectMajorPhaseDate(k); });
    }
}

void TMain::SelectMajorPhaseDate(int index) {
    QLabel* label = Control(QStringLiteral("lblPhase%1").arg(index + 1));
    TPhaseCaptionTime t;
    if (label == nullptr || !ParsePhaseCaption(label->text().toStdString(), t)) return;
    SelectedDate.Day = static_cast<std::uint16_t>(t.Day);
    ClockOffset =
        (t.Hour * 60.0 + t.Minute - SelectedDate.Hour * 60.0 - SelectedDate.Minute) / 1440.0;
    ShowSelectedMonth(SelectedDate);
}

// --- the Moon parameter panel switch ---

void TMain::LibrationClick() {
    ShowAzAlt = !ShowAzAlt;
    struct TCaption {
        const char* Name;
        const char* AzAlt;
        const char* Libration;
        const char* Hint;
    };
    static constexpr TCaption captions[] = {
        {"lblLunarAz", "Az.:", "Co:", "Selenographic CoLongitude of the Sun"},
        {"lblLunarAlt", "Alt.:", "lo:", "Moon's topocentric libration in longitude"},
        {"lblLunarPA", "P.A.:", "bo:", "Moon's topocentric libration in latitude"},
        {"lblLunarPhA", "Ph.A:", "PAA:", "Position angle of Moon's axis of rotation"},
    };
    for (const TCaption& c : captions) {
        QLabel* label = Control(c.Name);
        label->setText(ShowAzAlt ? c.AzAlt : c.Libration);
        SetHint(label, ShowAzAlt ? QString() : QString(c.Hint));
    }
    MoonParams = MoonParamsBackground;
    update();
}
