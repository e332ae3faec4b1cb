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

// An entry field or drop-down list shown in a window, and its area in the window's picture.
struct TFieldArea {
    const QWidget* Control = nullptr;
    QRect Area;
};

// The window's shown entry fields and drop-down lists, their areas scaled to a picture of the
// window (scale: picture pixels per window pixel) and cut to bounds.
[[nodiscard]] std::vector<TFieldArea> ShownFieldAreas(const QWidget& window, double scale,
                                                      const QRect& bounds);

// Whether the area of the picture is dark: its mean grey below the metal's.
[[nodiscard]] bool ShownDark(const QImage& picture, const QRect& area);

// Sets the mask to 0 over the area (within the mask).
void ClearMask(QImage& mask, const QRect& area);
