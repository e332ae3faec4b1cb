// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window's pictures: compiled-in artwork, with plain drawn stand-ins for any
// picture a build lacks, so the window always shows its values.

#include <array>

#include <QImage>

struct TMainArt {
    QImage MoonPhoto; // the full-Moon photograph, 156 × 156
    QImage StripBackground;
    QImage MoonParamsBackground;
    QImage SunParamsBackground;
    QImage DayHighlight;
    QImage YearButton;
    // new, last quarter, full, first quarter, blue; drawn for the northern hemisphere.
    std::array<QImage, 5> PhasePictures;
    std::array<QImage, 3> OpticsGlyphs; // binoculars, telescope, diagonal
    QImage EclipseGlyph;
};

[[nodiscard]] TMainArt LoadMainArt();
