// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The drawing of the Moon's phase: a photograph of the full Moon with its unlit part
// darkened, turned and mirrored as the observer's hemisphere and optics show it, and the
// month panel's small phase pictures turned for the southern hemisphere.
//
// Pure functions over QImage: TMain calls them when the illumination, the hemisphere or
// the optics change and paints the result at MoonPictureTopLeft.
//
//   Working = DrawMoonGraphic(Photograph, m.Illumination, lunationPercent);
//   Shown = DrawMoon(Working, Settings.Position.LatitudeSide, Optics);
//   ...paintEvent: painter.drawImage(MoonPictureTopLeft, Shown);

#include <span>

#include <QImage>
#include <QPoint>
#include <QString>

#include "engine/seasons.h"

// The photograph and the working picture are 156 × 156; the lunar disc is the ellipse
// inscribed in (3, 3)–(153, 154), centre column 78.
inline constexpr int MoonPictureSize = 156;
inline constexpr QPoint MoonPictureTopLeft{26, 80};

// The photograph with the unlit part darkened. illumination: percent 0..100 (clamped);
// lunation: percent of the lunation elapsed, below 50 waxing (shadow on the left), from 50
// on waning (shadow on the right). Every pixel the shading touches keeps only the bits of
// its red, green and blue bytes that are set in 70, so it only darkens, and twice is once.
[[nodiscard]] QImage DrawMoonGraphic(const QImage& photograph, int illumination, double lunation);

// The signed half-width of the terminator, 75 − trunc((100 − I) × 150 / 100).
[[nodiscard]] int TerminatorHalfWidth(int illumination);

enum class TOpticsView { Binoculars, Telescope, Diagonal };

// Binoculars = both flags false; telescope = TelescopeView only; diagonal = both.
[[nodiscard]] TOpticsView OpticsView(bool telescopeView, bool diagonalView);
[[nodiscard]] bool IsTelescopeView(TOpticsView view); // TelescopeView flag
[[nodiscard]] bool IsDiagonalView(TOpticsView view);  // DiagonalView flag
// The optics button's cycle: binoculars → telescope → diagonal → binoculars.
[[nodiscard]] TOpticsView NextOpticsView(TOpticsView view);
// The glyph the optics button shows for a view (a picture name for LoadArt).
[[nodiscard]] QString OpticsGlyph(TOpticsView view);

// The working picture as the observer sees it. The photograph is north up as seen with the
// naked eye: binoculars show it so in the north; a telescope turns it by 180°; a star
// diagonal also mirrors it left to right. In the south everything is turned by 180° more.
[[nodiscard]] QImage DrawMoon(const QImage& working, THemisphere hemisphere, TOpticsView view);

// Turns each picture by 180° in place; twice restores them.
void InvertPhaseIcons(std::span<QImage> pictures);
