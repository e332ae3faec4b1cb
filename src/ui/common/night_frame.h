#pragma once

// Where a window's light metal frame lies, read from its background picture. In night vision
// the frame and what is written on it are turned over (the frame dark, its black captions and
// glyphs bright), while the dark panels keep their tones: so every text stands out from its
// ground in red, wherever it is.
//
//   const QImage frame = NightFrameMask(window.Background());
//   ToNightColours(picture, TNightTone::Keep, frame);

#include <QImage>

class QWidget;

// A Grayscale8 picture of the background's size: 255 on the frame and on the small or thin
// dark marks in it (captions, glyphs, lines), 0 over the dark panels and whatever lies within
// them (the Moon's picture in its panel). A null background gives a null mask.
[[nodiscard]] QImage NightFrameMask(const QImage& background);

// Clears the mask (of the picture's size) under the window's shown entry fields and drop-down
// lists that the picture, the window as drawn, shows dark on the frame: they keep their
// tones, as the panels do.
void KeepDarkControls(QImage& mask, const QImage& picture, const QWidget& window);
