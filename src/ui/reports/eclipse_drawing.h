// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The eclipse screen's picture: the Earth's penumbra and umbra at the Moon's distance with
// the Moon at greatest eclipse and its path through the shadow.
//
//   QImage surface(EclipseDrawingSize, QImage::Format_RGB32);
//   DrawEclipse(surface, eclipse);   // eclipse.MoonLong/MoonLat filled (FillContactPositions)

#include <optional>

#include <QColor>
#include <QImage>
#include <QSize>

#include "engine/lunar_eclipse.h"

inline constexpr QSize EclipseDrawingSize(349, 243);

inline const QColor PenumbraColour(47, 47, 47);
inline const QColor UmbraColour(20, 20, 20);
inline const QColor EclipseMoonColour(215, 215, 215);

// The slope of the Moon's path in ecliptic latitude per longitude, from the first to the last
// penumbral contact. The longitude difference is taken the short way round (-pi..pi), so an
// eclipse whose Moon passes longitude 0 keeps its slope. None when either difference is 0.
[[nodiscard]] std::optional<double> EclipsePathSlope(const EclipseCircumstances& eclipse);

// Where the picture puts things, in its own pixels.
struct [[nodiscard]] TEclipseLayout {
    double Scale = 0.0; // pixels per Earth radius
    int CentreX = 0, CentreY = 0;
    int PenumbraRadius = 0, UmbraRadius = 0;
    int MoonX = 0, MoonY = 0, MoonRadius = 0;
    std::optional<double> Slope;
};

[[nodiscard]] TEclipseLayout EclipseLayout(const EclipseCircumstances& eclipse, QSize size);

// Draws on the whole surface (logical size EclipseDrawingSize). Without a slope the shadows
// and the Moon are drawn without the path, never the previous eclipse's picture.
void DrawEclipse(QImage& surface, const EclipseCircumstances& eclipse);
