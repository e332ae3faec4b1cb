// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/main_art.h"

#include <QFile>
#include <QPainter>
#include <QPainterPath>

#include "ui/common/art_names.h"
#include "ui/common/artwork.h"
#include "ui/main/moon_drawing.h"
#include "ui/common/look.h"

namespace {

QImage ArtOr(const QString& name, const QImage& standIn) {
    if (!QFile::exists(ArtPath(name))) return standIn;
    QImage picture = LoadArt(name);
    return picture.isNull() ? standIn : picture;
}

QImage Filled(int w, int h, const QColor& colour) {
    QImage picture(w, h, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

QImage PanelStandIn(int w, int h) {
    QImage picture = Filled(w, h, DarkPanel);
    QPainter painter(&picture);
    painter.setPen(QColor(70, 80, 100));
    painter.drawRect(0, 0, w - 1, h - 1);
    return picture;
}

// A 30 x 30 phase picture: litLeft/litRight choose the lit halves; blue tints it.
QImage PhaseStandIn(bool litLeft, bool litRight, bool blue) {
    QImage picture(30, 30, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF disc(2, 2, 26, 26);
    const QColor dark(40, 44, 56);
    const QColor lit = blue ? QColor(140, 180, 255) : QColor(235, 230, 205);
    painter.setPen(QColor(90, 95, 110));
    painter.setBrush(dark);
    painter.drawEllipse(disc);
    painter.setPen(Qt::NoPen);
    painter.setBrush(lit);
    if (litLeft && litRight)
        painter.drawEllipse(disc);
    else if (litLeft)
        painter.drawPie(disc, 90 * 16, 180 * 16);
    else if (litRight)
        painter.drawPie(disc, -90 * 16, 180 * 16);
    return picture;
}

} // namespace

TMainArt LoadMainArt() {
    TMainArt art;
    art.MoonPhoto =
        ArtOr(ArtFullMoon, Filled(156, 156, Qt::black)).convertToFormat(QImage::Format_RGB32);
    art.StripBackground = ArtOr(ArtClockStrip, Filled(640, 24, QColor(150, 152, 160)));
    art.MoonParamsBackground = ArtOr(ArtMoonParams, PanelStandIn(86, 67));
    art.SunParamsBackground = ArtOr(ArtSunParams, PanelStandIn(84, 67));
    art.DayHighlight = ArtOr(ArtDayHighlight, [] {
        QImage picture(25, 23, QImage::Format_ARGB32);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(0, 200, 220), 1.5));
        painter.setBrush(QColor(0, 120, 150, 120));
        painter.drawRoundedRect(QRectF(1, 1, 23, 21), 4, 4);
        return picture;
    }());
    art.YearButton = ArtOr(ArtYearEditBox, [] {
        QImage picture = Filled(60, 29, QColor(235, 235, 225));
        QPainter painter(&picture);
        painter.setPen(MonthColour);
        painter.drawRect(0, 0, 59, 28);
        return picture;
    }());
    art.PhasePictures = {ArtOr(ArtPhaseNew, PhaseStandIn(false, false, false)),
                         ArtOr(ArtPhaseLastQuarter, PhaseStandIn(true, false, false)),
                         ArtOr(ArtPhaseFull, PhaseStandIn(true, true, false)),
                         ArtOr(ArtPhaseFirstQuarter, PhaseStandIn(false, true, false)),
                         ArtOr(ArtPhaseBlueMoon, PhaseStandIn(true, true, true))};
    art.OpticsGlyphs = {ArtOr(ArtOpticsBinoculars, Filled(33, 24, Qt::darkGray)),
                        ArtOr(ArtOpticsTelescope, Filled(33, 24, Qt::gray)),
                        ArtOr(ArtOpticsDiagonal, Filled(33, 24, Qt::lightGray))};
    art.EclipseGlyph = ArtOr(ArtEclipseButton, Filled(29, 25, QColor(120, 40, 30)));
    return art;
}
