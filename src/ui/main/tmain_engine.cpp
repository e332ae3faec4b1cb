// What the main window asks of the engine, and how it shows the answers.

#include <cmath>

#include <QLabel>
#include <QMessageBox>
#include <QPainter>

#include "engine/angles.h"
#include "engine/apsides.h"
#include "engine/lunar_eclipse.h"
#include "engine/moon.h"
#include "engine/rise_set.h"
#include "engine/sun.h"
#include "settings/load_settings.h"
#include "settings/settings_store.h"
#include "ui/common/fonts.h"
#include "ui/main/moon_drawing.h"
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

// Degrees, minutes and seconds texts as a number; a text that is no number counts as 0.
double SettingNumber(const std::string& text) {
    bool ok = false;
    const double value = QString::fromStdString(text).trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

double SettingAngle(const std::string& deg, const std::string& min, const std::string& sec) {
    return SettingNumber(deg) + SettingNumber(min) / 60.0 + SettingNumber(sec) / 3600.0;
}

} // namespace

void TMain::LoadSettingsAtStart() {
    const std::string path = Setup.SettingsPath.isEmpty() ? TSettingsStore::DefaultPath()
                                                          : Setup.SettingsPath.toStdString();
    Store = std::make_unique<TSettingsStore>(path);
    if (!Store->RecoveryMessage().empty()) Warn(Q(Store->RecoveryMessage()));
    const TZoneOffsets offsets =
        LoadSettings(*Store, Settings, [this](const std::string& message) { Warn(Q(message)); });
    Observer.ZoneMinutes = offsets.ZoneMinutes;
    Observer.DstMinutes = offsets.DstMinutes;
    DayOrder = Settings.DayOrder % 7;
    LatDir = Q(Settings.LatDir);
}

void TMain::Warn(const QString& message) {
    SettingsWarnings.append(message);
    if (Setup.ShowWarnings) QMessageBox::warning(this, QStringLiteral("Tidewell"), message);
}

void TMain::RefreshLatAndLong() {
    const double lon = SettingAngle(Settings.LongDeg, Settings.LongMin, Settings.LongSec);
    const double lat = SettingAngle(Settings.LatDeg, Settings.LatMin, Settings.LatSec);
    Observer.ObserverLongitude = DegToRad(Settings.LongDir == "East" ? -lon : lon);
    Observer.ObserverLatitude = DegToRad(Settings.LatDir == "South" ? -lat : lat);
    DayOrder = Settings.DayOrder % 7;
    LatDir = Q(Settings.LatDir);
    OrientMoon();
}

void TMain::ApplyChangedSettings() {
    Observer.ZoneMinutes = SettingsZoneMinutes(Settings);
    Observer.DstMinutes = SettingsDstMinutes(Settings);
    RefreshLatAndLong();
    SetDayTitles(DayOrder);
    ShowSelectedMonth(SelectedDate);
}

void TMain::ComputeMoonAndSun(double ut) {
    TSunData s;
    const TMoonData m = MoonPosition(ut, Observer, s);
    IlluminationNow = m.Illumination;

    Texts.Visible = QString::number(m.Illumination) + "%     ";
    Texts.Distance = QString::number(static_cast<long long>(std::trunc(m.DistanceKm))) + " km  ";
    Texts.RightAscension = RaText(m.TopoRADeg);
    Texts.Declination = m.TopoDecText;
    Texts.Parallax = HoursToSexagesimal(m.Parallax);
    Texts.Diameter = HoursToSexagesimal(2.0 * m.SemiDiameter);

    SunParams = SunParamsBackground.copy();
    {
        QPainter painter(&SunParams);
        painter.setFont(ArialPoints(9));
        painter.setPen(PanelText);
        DisplayCoord(painter, 10, TCoordMode::Degrees, HoursToSexagesimal(s.Azimuth), 3, 62, 34);
        DisplayCoord(painter, 10, TCoordMode::Degrees, HoursToSexagesimal(s.Altitude), 19, 62, 34);
        DisplayCoord(painter, 10, TCoordMode::Hours, RaText(s.Equatorial.RADeg), 35, 62, 34);
        DisplayCoord(painter, 10, TCoordMode::Degrees, s.Equatorial.DecText, 51, 62, 34);
    }

    MoonParams = MoonParamsBackground.copy();
    QPainter painter(&MoonParams);
    painter.setFont(ArialPoints(9));
    painter.setPen(PanelText);
    const double values[2][4] = {
        {m.Azimuth, m.Altitude, m.BrightLimbAngle, m.PhaseAngle},
        {m.Colongitude, m.LibrationLong, m.LibrationLat, m.AxisAngle},
    };
    for (int k = 0; k < 4; ++k)
        DisplayCoord(painter, 10, TCoordMode::Degrees,
                     HoursToSexagesimal(values[ShowAzAlt ? 0 : 1][k]), 4 + 16 * k, 62, 34);
}

void TMain::ComputeApsides() {
    const TApsidesText a = Apsides(SelectedDate, Observer);
    Texts.ApogeeTime = Q(a.ApogeeTime);
    Texts.ApogeeDistance = Q(a.ApogeeDistance);
    Texts.PerigeeTime = Q(a.PerigeeTime);
    Texts.PerigeeDistance = Q(a.PerigeeDistance);
}

void TMain::CheckEclipse() {
    EclipseInfo = CheckForEclipse(PhaseList, PhaseCount, SelectedDate.Year, Observer);
    Control("imgEclipse")->setVisible(EclipseInfo.EclipseType != EclipseNone);
}

void TMain::DisplayLunarRiseSetTimes(const TDateRec& date) {
    const TMoonRiseSet r = MoonRiseSet(date, Observer);
    const auto rows = OrderMoonRows(r.Times.Rise, r.Times.Transit, r.Times.Set);
    const char* titles[] = {"lblMoonTitle1", "lblMoonTitle2", "lblMoontitle3"};
    for (int k = 0; k < 3; ++k) {
        Control(titles[k])->setText(Q(rows[static_cast<size_t>(k)].Title));
        Control(QStringLiteral("lblMoonValue%1").arg(k + 1))
            ->setText(Q(rows[static_cast<size_t>(k)].Value));
    }
}

void TMain::DisplaySolarRiseSetTimes(const TDateRec& date) {
    const TRiseSetText sun = SunRiseSet(date, SunriseAltitude, Observer);
    Control("lblSunRise")->setText(Q(sun.Rise));
    Control("lblSunTransit")->setText(Q(sun.Transit));
    Control("lblSunSet")->setText(Q(sun.Set));
    const std::pair<double, std::pair<const char*, const char*>> twilights[] = {
        {CivilTwilightAltitude, {"lblCivilStart", "lblCivilEnd"}},
        {NauticalTwilightAltitude, {"lblNauticalStart", "lblNauticalEnd"}},
        {AstronomicalTwilightAltitude, {"lblAstroStart", "lblAstroEnd"}},
    };
    for (const auto& [altitude, names] : twilights) {
        const TRiseSetText t = SunRiseSet(date, altitude, Observer);
        Control(names.first)->setText(Q(t.Rise));
        Control(names.second)->setText(Q(t.Set));
    }
}

void TMain::RedrawMoon() {
    // The shading depends only on the whole percent lit and on waxing or waning, which
    // change a few times an hour: the picture is rebuilt when they do.
    const int key = IlluminationNow * 2 + (LunationNow < 50.0 ? 0 : 1);
    if (key == MoonShadingKey && !MoonWorking.isNull()) return;
    MoonShadingKey = key;
    MoonWorking = DrawMoonGraphic(MoonPhoto, IlluminationNow, LunationNow);
    OrientMoon();
}

void TMain::OrientMoon() {
    MoonPicture = DrawMoon(MoonWorking, LatDir, OpticsView(TelescopeView, DiagonalView));
}

void TMain::OpticsClick() {
    const TOpticsView next = NextOpticsView(OpticsView(TelescopeView, DiagonalView));
    TelescopeView = IsTelescopeView(next);
    DiagonalView = IsDiagonalView(next);
    ShowOpticsGlyph();
    OrientMoon();
    update();
}

void TMain::ShowOpticsGlyph() {
    const auto view = static_cast<int>(OpticsView(TelescopeView, DiagonalView));
    Control("imgOptics")->setPixmap(QPixmap::fromImage(OpticsGlyphs[static_cast<size_t>(view)]));
}

void TMain::PaintMoon(QPainter& painter) {
    if (!MoonPicture.isNull()) painter.drawImage(MoonPictureTopLeft, MoonPicture);
}

void TMain::PaintSurfaceTexts(QPainter& painter) {
    if (!Texts.Valid) return;
    painter.setFont(ArialPoints(9));
    painter.setPen(Aqua);
    DrawTextAt(painter, 249, 80, Texts.Visible);
    DrawTextAt(painter, 249, 94, Q(Texts.Age.Days));
    DrawTextAt(painter, 274, 94, Q(Texts.Age.Hours));
    DrawTextAt(painter, 299, 94, Q(Texts.Age.Minutes));
    DrawTextAt(painter, 249, 110, Texts.Distance);
    DisplayCoord(painter, 249, TCoordMode::Hours, Texts.RightAscension, 134, 301, 273);
    DisplayCoord(painter, 249, TCoordMode::Degrees, Texts.Declination, 148, 301, 273);
    DisplayCoord(painter, 249, TCoordMode::Degrees, Texts.Parallax, 162, 301, 273);
    DisplayCoord(painter, 249, TCoordMode::Degrees, Texts.Diameter, 176, 301, 273);
    DrawTextAt(painter, 249, 204, Texts.ApogeeTime);
    DrawTextAt(painter, 332, 204, Texts.ApogeeDistance);
    DrawTextAt(painter, 249, 218, Texts.PerigeeTime);
    DrawTextAt(painter, 332, 218, Texts.PerigeeDistance);
}
