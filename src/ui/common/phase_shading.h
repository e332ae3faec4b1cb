// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Moon's phase drawn on paper: a disc outlined in grey with its unlit part filled in the
// same grey, for the printed calendar's day cells and the monthly phases picture.
//
//   const QColor ink = ShadowInk(settings.PhaseDensity);
//   DrawPhaseDisc(painter, centre, radius, illumination, DarkSideLeft(waxing, north), ink,
//                 penWidth);

#include <QColor>
#include <QPoint>

class QPainter;

// The grey of the shadow for a density 0..100: trunc((25500 − density × 255) / 100), so
// 100 is black, 0 white (no visible shadow) and the default 75 gives 63.
[[nodiscard]] int ShadowGrey(int phaseDensity);
[[nodiscard]] QColor ShadowInk(int phaseDensity);

// The unlit side as the observer sees it: on the left for a waxing Moon seen from the
// north and for a waning Moon seen from the south.
[[nodiscard]] bool DarkSideLeft(bool waxing, bool northern);

// A white disc outlined in ink, the unlit part filled with ink: from the dark limb to the
// terminator, the half-ellipse whose half-width is b = r − trunc(2r × (100 − I) / 100)
// (positive: the terminator on the dark side of the centre; negative: bulging into the lit
// half).
void DrawPhaseDisc(QPainter& painter, QPoint centre, int radius, int illumination, bool darkLeft,
                   const QColor& ink, int penWidth);
