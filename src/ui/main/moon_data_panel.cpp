// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/moon_data_panel.h"

#include <cmath>

#include <QPainter>

#include "engine/almanac_text.h"
#include "engine/rise_set.h"
#include "ui/common/borderless_window.h"
#include "ui/common/fonts.h"
#include "ui/common/look.h"
#include "ui/common/panels_draw.h"

namespace {

const QPoint ParamsTopLeft{315, 280};

struct TParamCaption {
    const char* Name;
    const char* AzAlt;
    const char* Libration;
    const char* Hint;
};
constexpr TParamCaption ParamCaptionTexts[] = {
    {"lblLunarAz", "Az.:", "Co:", "Selenographic CoLongitude of the Sun"},
    {"lblLunarAlt", "Alt.:", "lo:", "Moon's topocentric libration in longitude"},
    {"lblLunarPA", "P.A.:", "bo:", "Moon's topocentric libration in latitude"},
    {"lblLunarPhA", "Ph.A:", "PAA:", "Position angle of Moon's axis of rotation"},
};

QString MoonRowTitle(TRiseSetEventKind kind) {
    switch (kind) {
    case TRiseSetEventKind::Rise:
        return QStringLiteral("Moonrise:");
    case TRiseSetEventKind::Set:
        return QStringLiteral("Moonset");
    default:
        return QStringLiteral("Transit:");
    }
}

} // namespace

TMoonDataPanel::TMoonDataPanel(QWidget* window, const TProgramState& state,
                               const QImage& paramsBackground, double fontScale)
    : TWindowPart(window,
                  {QRect(184, 76, 236, 160), QRect(148, 298, 114, 52), QRect(280, 262, 125, 88)}),
      State(state), ParamsBackground(paramsBackground), FontScale(fontScale) {
    setObjectName("MoonData");
    CreateCaptions();
    connect(&State, &TProgramState::Changed, this, [this](TStateChanges what) {
        if (what & (TStateChange::Day | TStateChange::Month | TStateChange::Observer)) {
            DisplayApsides();
            DisplayLunarRiseSetTimes();
            update();
        }
    });
    DisplayApsides();
    DisplayLunarRiseSetTimes();
}

void TMoonDataPanel::CreateCaptions() {
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
        TClickLabel* label = AddLabel(c.Name, {188, c.Top, 60, 14}, caption, Qt::yellow);
        label->setText(c.Text);
        TBorderlessWindow::SetHint(label, c.Hint);
    }

    const QFont bold = PixelFont(ArialFamily, 12, true);
    const QFont value = PixelFont(ArialFamily, 12);
    const char* titles[] = {"lblMoonTitle1", "lblMoonTitle2", "lblMoontitle3"};
    for (size_t k = 0; k < 3; ++k) {
        const int top = 300 + 16 * static_cast<int>(k);
        RowTitles[k] = AddLabel(titles[k], {150, top, 62, 14}, bold, PanelText);
        RowValues[k] = AddLabel(QStringLiteral("lblMoonValue%1").arg(k + 1), {212, top, 48, 14},
                                value, PanelText);
    }

    for (size_t k = 0; k < ParamCaptions.size(); ++k) {
        ParamCaptions[k] =
            AddLabel(ParamCaptionTexts[k].Name, {284, 284 + 16 * static_cast<int>(k), 30, 14},
                     caption, Qt::white);
        ParamCaptions[k]->setText(ParamCaptionTexts[k].AzAlt);
    }
    TClickLabel* button = AddLabel("lblLibration", {380, 264, 13, 17}, caption, Qt::white);
    connect(button, &TClickLabel::Clicked, this, [this](Qt::MouseButton mouse, QPoint) {
        if (mouse == Qt::LeftButton) LibrationClick();
    });
}

void TMoonDataPanel::ShowMoment(const TMoonData& m, double ageDays) {
    SurfaceTexts.Visible = QString::number(m.IlluminationPercent) + "%     ";
    SurfaceTexts.Distance =
        QString::number(static_cast<long long>(std::trunc(m.DistanceKm))) + " km  ";
    SurfaceTexts.RightAscension = RightAscensionText(m.TopoRADeg);
    SurfaceTexts.Declination = HoursToSexagesimal(m.TopoDecDeg);
    SurfaceTexts.Parallax = HoursToSexagesimal(m.ParallaxDeg);
    SurfaceTexts.Diameter = HoursToSexagesimal(2.0 * m.SemiDiameterDeg);
    SurfaceTexts.Age = MoonAgeTexts(ageDays);
    SurfaceTexts.Valid = true;
    const double azAlt[] = {m.AzimuthDeg, m.AltitudeDeg, m.BrightLimbAngleDeg, m.PhaseAngleDeg};
    const double libration[] = {m.ColongitudeDeg, m.LibrationLongDeg, m.LibrationLatDeg,
                                m.AxisAngleDeg};
    for (size_t k = 0; k < 4; ++k) {
        AzAltValues[k] = HoursToSexagesimal(azAlt[k]);
        LibrationValues[k] = HoursToSexagesimal(libration[k]);
    }
    update();
}

void TMoonDataPanel::DisplayApsides() {
    const TApsidesText a = ApsidesText(State.Day().Apsides, State.Observer());
    SurfaceTexts.ApogeeTime = Q(a.ApogeeTime);
    SurfaceTexts.ApogeeDistance = Q(a.ApogeeDistance);
    SurfaceTexts.PerigeeTime = Q(a.PerigeeTime);
    SurfaceTexts.PerigeeDistance = Q(a.PerigeeDistance);
}

void TMoonDataPanel::DisplayLunarRiseSetTimes() {
    const TRiseSetTimes& moon = State.Day().RiseSet.Moon.Events;
    const auto rows = OrderMoonRows(moon);
    for (size_t k = 0; k < rows.size(); ++k) {
        RowTitles[k]->setText(MoonRowTitle(rows[k]));
        RowValues[k]->setText(Q(EventTimeText(EventOf(moon, rows[k]))));
    }
}

void TMoonDataPanel::LibrationClick() {
    AzAlt = !AzAlt;
    for (size_t k = 0; k < ParamCaptions.size(); ++k) {
        const TParamCaption& c = ParamCaptionTexts[k];
        ParamCaptions[k]->setText(AzAlt ? c.AzAlt : c.Libration);
        TBorderlessWindow::SetHint(ParamCaptions[k], AzAlt ? QString() : QString(c.Hint));
    }
    update();
}

QList<TShownText> TMoonDataPanel::ShownTexts() {
    const TSurfaceTexts& t = SurfaceTexts;
    QList<TShownText> texts;
    auto add = [&texts](int x, int y, const char* caption, const QString& text) {
        texts.append({QRect(x, y, 405 - x, 14), text.trimmed(), QString::fromLatin1(caption)});
    };
    if (t.Valid) {
        add(249, 80, "Visible", t.Visible);
        add(249, 94, "Age", Q(t.Age.Days + ' ' + t.Age.Hours + ' ' + t.Age.Minutes));
        add(249, 110, "Distance", t.Distance);
        add(249, 134, "Right ascension", CoordText(TCoordMode::Hours, t.RightAscension));
        add(249, 148, "Declination", CoordText(TCoordMode::Degrees, t.Declination));
        add(249, 162, "Parallax", CoordText(TCoordMode::Degrees, t.Parallax));
        add(249, 176, "Diameter", CoordText(TCoordMode::Degrees, t.Diameter));
    }
    add(249, 204, "Apogee", t.ApogeeTime + ' ' + t.ApogeeDistance);
    add(249, 218, "Perigee", t.PerigeeTime + ' ' + t.PerigeeDistance);
    if (!t.Valid) return texts;
    const auto& values = AzAlt ? AzAltValues : LibrationValues;
    for (size_t k = 0; k < values.size(); ++k) {
        const TParamCaption& c = ParamCaptionTexts[k];
        add(ParamsTopLeft.x(), ParamsTopLeft.y() + 4 + 16 * static_cast<int>(k),
            AzAlt ? c.AzAlt : c.Libration, CoordText(TCoordMode::Degrees, values[k]));
    }
    return texts;
}

void TMoonDataPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintParams(painter);
    PaintSurfaceTexts(painter);
}

void TMoonDataPanel::PaintParams(QPainter& painter) const {
    painter.drawImage(ParamsTopLeft, ParamsBackground);
    if (!SurfaceTexts.Valid) return;
    painter.setFont(ScaledFont(ArialFamily, 9, FontScale));
    painter.setPen(PanelText);
    const auto& values = AzAlt ? AzAltValues : LibrationValues;
    const int x = ParamsTopLeft.x();
    for (size_t k = 0; k < values.size(); ++k)
        DisplayCoord(painter, x + 10, TCoordMode::Degrees, values[k],
                     ParamsTopLeft.y() + 4 + 16 * static_cast<int>(k), x + 62, x + 34);
}

void TMoonDataPanel::PaintSurfaceTexts(QPainter& painter) const {
    const TSurfaceTexts& t = SurfaceTexts;
    painter.setFont(ScaledFont(ArialFamily, 9, FontScale));
    painter.setPen(Aqua);
    if (t.Valid) {
        DrawTextAt(painter, 249, 80, t.Visible);
        DrawTextAt(painter, 249, 94, Q(t.Age.Days));
        DrawTextAt(painter, 274, 94, Q(t.Age.Hours));
        DrawTextAt(painter, 299, 94, Q(t.Age.Minutes));
        DrawTextAt(painter, 249, 110, t.Distance);
        DisplayCoord(painter, 249, TCoordMode::Hours, t.RightAscension, 134, 301, 273);
        DisplayCoord(painter, 249, TCoordMode::Degrees, t.Declination, 148, 301, 273);
        DisplayCoord(painter, 249, TCoordMode::Degrees, t.Parallax, 162, 301, 273);
        DisplayCoord(painter, 249, TCoordMode::Degrees, t.Diameter, 176, 301, 273);
    }
    DrawTextAt(painter, 249, 204, t.ApogeeTime);
    DrawTextAt(painter, 332, 204, t.ApogeeDistance);
    DrawTextAt(painter, 249, 218, t.PerigeeTime);
    DrawTextAt(painter, 332, 218, t.PerigeeDistance);
}
