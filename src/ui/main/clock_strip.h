#pragma once

// The strip under the main window's title bar: the displayed moment and the phase name,
// centred over x 20..402, and the local sidereal time centred over x 420..620, in navy bold
// on the strip's picture. Composed off screen once a tick; the window copies it to (0, 40).
//
//   StripBuffer = ComposeClockStrip(LoadArt(ArtClockStrip), StripFont(FontScale),
//                                   time + " - " + phaseName, "LST: " + lst);

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QString>

inline constexpr QPoint ClockStripTopLeft{0, 40};

// Arial bold round(scale × 11) points.
[[nodiscard]] QFont ClockStripFont(double fontScale);

// A 640 × 25 picture: the background (640 × 24) with the two texts at y 4.
[[nodiscard]] QImage ComposeClockStrip(const QImage& background, const QFont& font,
                                       const QString& text, const QString& siderealText);
