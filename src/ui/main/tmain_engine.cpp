// What the main window asks of the engine, and how it shows the answers.

#include <cmath>

#include <QLabel>
#include <QPainter>

#include "engine/angles.h"
#include "engine/sun.h"
#include "ui/common/fonts.h"
#include "ui/main/panels_draw.h"
#include "ui/main/tmain.h"

namespace {

const QColor Aqua(0, 255, 255);
const QColor PanelText(255, 255, 176);

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// Right ascension in hours, wrapped at 24.
TSexagesimal RaText(double raDeg) {
    return HoursToSexagesimal(Normalize360(raDeg) / 15.0, 24);
}

} // namespace

void TMain::LoadSettingsAtStart() {
    LoadArtwork();
    Observer.ZoneMinutes = 0;
    Observer.DstMinutes = 0;
}

void TMain::RefreshLatAndLong() {
    Observer.ObserverLongitude = 0.0;
    Observer.ObserverLatitude = 0.0;
}

void TMain::ComputeMoonAndSun(double ut) {
    const TSunData s = SunPosition(ut, Observer);
    SunParams = SunParamsBackground.copy();
    QPainter painter(&SunParams);
    painter.setFont(ArialPoints(9));
    painter.setPen(PanelText);
    DisplayCoord(painter, 10, TCoordMode::Degrees, HoursToSexagesimal(s.Azimuth), 3, 62, 34);
    DisplayCoord(painter, 10, TCoordMode::Degrees, HoursToSexagesimal(s.Altitude), 19, 62, 34);
    DisplayCoord(painter, 10, TCoordMode::Hours, RaText(s.Equatorial.RADeg), 35, 62, 34);
    DisplayCoord(painter, 10, TCoordMode::Degrees, s.Equatorial.DecText, 51, 62, 34);
}

void TMain::ComputeApsides() {}

void TMain::CheckEclipse() {
    Control("imgEclipse")->hide();
}

void TMain::DisplayLunarRiseSetTimes(const TDateRec&) {}

void TMain::DisplaySolarRiseSetTimes(const TDateRec&) {}

void TMain::RedrawMoon() {
    MoonPicture = MoonPhoto;
}

void TMain::OpticsClick() {
    if (!TelescopeView) {
        TelescopeView = true;
    } else if (!DiagonalView) {
        DiagonalView = true;
    } else {
        TelescopeView = false;
        DiagonalView = false;
    }
    update();
}

void TMain::PaintMoon(QPainter& painter) {
    if (!MoonPicture.isNull()) painter.drawImage(26, 80, MoonPicture);
}

void TMain::PaintSurfaceTexts(QPainter& painter) {
    if (!Texts.Valid) return;
    painter.setFont(ArialPoints(9));
    painter.setPen(Aqua);
    DrawTextAt(painter, 249, 94, Q(Texts.Age.Days));
    DrawTextAt(painter, 274, 94, Q(Texts.Age.Hours));
    DrawTextAt(painter, 299, 94, Q(Texts.Age.Minutes));
}
