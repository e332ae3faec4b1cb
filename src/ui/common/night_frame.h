// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where a window's light metal frame lies, read from its background picture. In night vision
// the frame and what is written on it are turned over (the frame dark, its black captions and
// glyphs bright), while the dark panels keep their tones: so every text stands out from its
// ground in red, wherever it is.
//
//   const QImage frame = NightFrameMask(window.Background());
//   ToNightColours(picture, TNightTone::Keep, frame);

#include <vector>

#include <QImage>
#include <QRect>

class QWidget;

// A Grayscale8 picture of the background's size: 255 on the frame and on the small or thin
// dark marks in it (captions, glyphs, lines), 0 over the dark panels and whatever lies within
// them (the Moon's picture in its panel). A null background gives a null mask.
[[nodiscard]] QImage NightFrameMask(const QImage& background);

// A control whose tones at night follow how it is shown rather than where it lies, and its
// area in the window's picture: an entry field or drop-down list shown dark on the frame keeps
// its tones, as the panels do; a scroll bar shown light in a panel is turned over, as the
// frame is, instead of shining as a red block.
struct TFieldArea {
    const QWidget* Control = nullptr;
    QRect Area;
    bool ScrollBar = false; // a scroll bar; else an entry field or drop-down list
};

// The window's shown entry fields, drop-down lists and scroll bars, their areas scaled to a
// picture of the window (scale: picture pixels per window pixel) and cut to bounds.
[[nodiscard]] std::vector<TFieldArea> ShownFieldAreas(const QWidget& window, double scale,
                                                      const QRect& bounds);

// Whether the area of the picture is dark: its mean grey below the metal's.
[[nodiscard]] bool ShownDark(const QImage& picture, const QRect& area);

// What the mask takes over the control's area, shown dark or light as it is: 0 (its own
// tones) under an entry field or drop-down list shown dark, 255 (the frame's tone) under a
// scroll bar shown light; -1 where the frame's mask holds.
[[nodiscard]] int MaskOver(const TFieldArea& field, bool shownDark);

// Sets the mask to value over the area (within the mask).
void FillMask(QImage& mask, const QRect& area, uchar value);
