// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "engine/text_helpers.h"

class QPainter;

enum class TCoordMode { Degrees, Hours };

// Draws one sexagesimal value at fixed columns with the painter's font: the sign 8 pixels
// left of the units in a font two points smaller, then units, minutes and seconds with
// their marks. A three-digit degree value moves 7 pixels left.
void DisplayCoord(QPainter& painter, int x, TCoordMode mode, const TSexagesimal& value, int y,
                  int xSeconds, int xMinutes);

// The pieces DisplayCoord paints: the sign, the units and their mark, the minutes and the
// seconds with theirs.
struct TCoordPieces {
    QString Sign;
    QString Units;
    QString UnitsMark;
    QString Minutes;
    QString Seconds;
};
[[nodiscard]] TCoordPieces CoordPieces(TCoordMode mode, const TSexagesimal& value);
// The same pieces as one text, as assistive technology reads the value: "-05° 12 ' 30 \"".
[[nodiscard]] QString CoordText(TCoordMode mode, const TSexagesimal& value);

// Text with its top-left corner at (x, y), as the panels place their values.
void DrawTextAt(QPainter& painter, int x, int y, const QString& text);

// The same within `width` pixels: a text that would run past them into the next column is
// narrowed to fit.
void DrawTextFitted(QPainter& painter, int x, int y, int width, const QString& text);

class QColor;
class QWidget;

// The colour of a label's text (its palette; the label stays transparent).
void SetTextColour(QWidget* label, const QColor& colour);
