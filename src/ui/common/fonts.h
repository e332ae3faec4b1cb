// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The two type faces of the windows and the screen scale of every font size.
//
//   const double scale = FontScale(this);                  // 96 ÷ the screen's DPI
//   label->setFont(ScaledFont(ArialFamily, 9, scale));     // round(scale × 9) points
//   month->setFont(PixelFont(ArialFamily, 19, true));      // 19-pixel character height
//
// "Arial" and "Times New Roman" are asked for by name; fontconfig maps them to the
// metric-compatible Liberation Sans and Liberation Serif, so the fixed pixel layouts hold.
// Where neither they nor another face of the same widths is installed, the face that stands
// in is narrowed to those widths, so every text still keeps to its place.

#include <QFont>
#include <QString>

class QWidget;

inline const QString ArialFamily = QStringLiteral("Arial");
inline const QString TimesFamily = QStringLiteral("Times New Roman");

// Adds Liberation Sans/Serif as substitutes of the two names, for systems whose font
// configuration does not map them already. Safe to call again.
void InstallFontSubstitutions();

// 96 ÷ the logical pixels per inch of the widget's screen (of the primary screen when
// the widget is null or not yet on a screen).
[[nodiscard]] double FontScale(const QWidget* widget = nullptr);

// round(scale × nominal), halves to even.
[[nodiscard]] int ScaledPoints(double scale, int nominalPoints);

[[nodiscard]] QFont ScaledFont(const QString& family, int nominalPoints, double scale,
                               bool bold = false);
// A font given by its character height in pixels.
[[nodiscard]] QFont PixelFont(const QString& family, int pixels, bool bold = false);
