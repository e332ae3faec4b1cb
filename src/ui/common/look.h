// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The look every window shares: the colours of captions and values, the stripes of the
// tables, and small helpers for texts handed over by the engine.
//
//   label->setFont(ScaledFont(ArialFamily, 9, scale));
//   SetTextColour(label, Aqua);
//   label->setText(Q(PhaseDateText(entry)));

#include <string>

#include <QColor>
#include <QString>

#include "engine/text_helpers.h"

// Captions on the dark panels.
inline const QColor Aqua(0, 255, 255);
// Computed values on the dark panels (the engine's PanelTextColour).
inline const QColor PanelText(PanelTextColour().Red, PanelTextColour().Green,
                              PanelTextColour().Blue);
// The embossed month caption over its shadow, on the light frame.
inline const QColor MonthColour(60, 60, 60);
inline const QColor ShadowColour(210, 210, 210);
// Captions on the light frame.
inline const QColor FrameText(0, 0, 0);
// The clock strip's text.
inline const QColor StripInk(0, 0, 128);
// Where a picture is missing: the ground of the dark panels.
inline const QColor DarkPanel(12, 16, 30);
inline const QColor DarkWindow(24, 28, 40);
// Entry fields on the dark panels.
inline const QColor FieldGround(20, 27, 50);
inline const QColor FieldBorder(44, 58, 92);
inline const QColor FieldSelection(60, 96, 150);
// The alternating rows of the tables.
inline const QColor StripeDark(0, 0, 0);
inline const QColor StripeLight(70, 70, 70);

// The window's size: every window is drawn on this fixed pixel grid.
inline constexpr int MainWindowWidth = 640;
inline constexpr int MainWindowHeight = 480;

// An engine text (UTF-8) for the windows.
[[nodiscard]] inline QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
