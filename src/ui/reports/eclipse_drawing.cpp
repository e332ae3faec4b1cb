// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/reports/eclipse_drawing.h"

#include <cmath>
#include <numbers>

#include <QPainter>

namespace {

// Rounded to the nearest pixel, halves to even.
int Round(double value) {
    return static_cast<int>(std::lrint(value));
}

// The Moon's radius in Earth radii (Meeus, ch. 54: k = 0.272 52 of the Earth's equatorial
// radius).
constexpr double MoonRadiusEarthRadii = 0.272520817;

void Disc(QPainter& p, int x, int y, int r) {
    p.drawEllipse(QRect(x - r, y - r, 2 * r, 2 * r));
}

} // namespace

std::optional<double> EclipsePathSlope(const EclipseCircumstances& eclipse) {
    const double dLat = eclipse.MoonLat[ContactP4] - eclipse.MoonLat[ContactP1];
    const double dLong = std::remainder(eclipse.MoonLong[ContactP4] - eclipse.MoonLong[ContactP1],
                                        2.0 * std::numbers::pi);
    if (dLat == 0.0 || dLong == 0.0) return std::nullopt;
    return dLat / dLong;
}

TEclipseLayout EclipseLayout(const EclipseCircumstances& eclipse, QSize size) {
    TEclipseLayout l;
    l.Scale = size.height() / 3.2;
    l.CentreX = size.width() / 2;
    l.CentreY = size.height() / 2;
    l.PenumbraRadius = Round(l.Scale * eclipse.PenRadius);
    l.UmbraRadius = Round(l.Scale * eclipse.UmbRadius);
    l.MoonRadius = Round(MoonRadiusEarthRadii * l.Scale);
    l.Slope = EclipsePathSlope(eclipse);
    l.MoonY = l.CentreY - Round(l.Scale * eclipse.Gamma);
    l.MoonX = l.CentreX + (l.Slope ? Round(l.Scale * eclipse.Gamma * *l.Slope) : 0);
    return l;
}

void DrawEclipse(QImage& surface, const EclipseCircumstances& eclipse) {
    const QSize size = EclipseDrawingSize;
    const TEclipseLayout l = EclipseLayout(eclipse, size);
    QPainter p(&surface);
    p.fillRect(QRect(QPoint(0, 0), size), Qt::black);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(PenumbraColour);
    p.setBrush(PenumbraColour);
    Disc(p, l.CentreX, l.CentreY, l.PenumbraRadius);
    const bool moonShown = eclipse.Type != TEclipseType::None;
    if (moonShown) {
        p.setPen(EclipseMoonColour);
        p.setBrush(EclipseMoonColour);
        Disc(p, l.MoonX, l.MoonY, l.MoonRadius);
    }
    // The umbra over the Moon, then the Moon's limb again so it shows over the umbra.
    p.setPen(UmbraColour);
    p.setBrush(UmbraColour);
    Disc(p, l.CentreX, l.CentreY, l.UmbraRadius);
    if (moonShown) {
        p.setPen(EclipseMoonColour);
        p.setBrush(Qt::NoBrush);
        Disc(p, l.MoonX, l.MoonY, l.MoonRadius);
    }
    // The ecliptic through the shadow's centre and the Moon's path, inverted over whatever
    // they cross so they show on the shadows and on the Moon alike.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(Qt::white);
    p.drawLine(0, l.CentreY, size.width(), l.CentreY);
    if (moonShown && l.Slope) {
        const int rise = Round(l.CentreX * *l.Slope);
        p.drawLine(0, l.MoonY - rise, size.width(), l.MoonY + rise);
    }
}
