// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/panels_draw.h"

#include <QFontMetrics>
#include <QPainter>
#include <QWidget>

void DrawTextAt(QPainter& painter, int x, int y, const QString& text) {
    // The top of the text cell at y: the baseline lies one ascent below.
    painter.drawText(QPointF(x, y + painter.fontMetrics().ascent()), text);
}

void DrawTextFitted(QPainter& painter, int x, int y, int width, const QString& text) {
    const qreal advance = painter.fontMetrics().horizontalAdvance(text);
    if (advance <= width) {
        DrawTextAt(painter, x, y, text);
        return;
    }
    painter.save();
    painter.translate(x, 0);
    painter.scale(width / advance, 1.0);
    DrawTextAt(painter, 0, y, text);
    painter.restore();
}

namespace {

void WithPointDelta(QPainter& painter, int delta, auto draw) {
    const QFont saved = painter.font();
    QFont font = saved;
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() + delta);
    else
        font.setPixelSize(font.pixelSize() + delta);
    painter.setFont(font);
    draw();
    painter.setFont(saved);
}

} // namespace

TCoordPieces CoordPieces(TCoordMode mode, const TSexagesimal& value) {
    const QString minutes = QString::fromStdString(value.Minutes);
    const QString seconds = QString::fromStdString(value.Seconds);
    const bool degrees = mode == TCoordMode::Degrees;
    return {QString::fromStdString(value.Sign), QString::fromStdString(value.Units),
            degrees ? QStringLiteral("°") : QStringLiteral("h"),
            minutes + (degrees ? QStringLiteral(" '") : QStringLiteral("m")),
            seconds + (degrees ? QStringLiteral(" \"") : QStringLiteral("s"))};
}

QString CoordText(TCoordMode mode, const TSexagesimal& value) {
    const TCoordPieces p = CoordPieces(mode, value);
    return p.Sign.trimmed() + p.Units + p.UnitsMark + ' ' + p.Minutes + ' ' + p.Seconds;
}

void DisplayCoord(QPainter& painter, int x, TCoordMode mode, const TSexagesimal& value, int y,
                  int xSeconds, int xMinutes) {
    const TCoordPieces pieces = CoordPieces(mode, value);
    WithPointDelta(painter, -2, [&] { DrawTextAt(painter, x - 8, y, pieces.Sign); });
    if (mode == TCoordMode::Degrees) {
        if (pieces.Units.size() == 3) x -= 7;
        DrawTextAt(painter, x, y, pieces.Units);
        const int degreeLeft = x + QFontMetrics(painter.font()).horizontalAdvance(pieces.Units);
        WithPointDelta(painter, 1, [&] { DrawTextAt(painter, degreeLeft, y, pieces.UnitsMark); });
    } else {
        DrawTextAt(painter, x, y, pieces.Units + pieces.UnitsMark);
    }
    DrawTextAt(painter, xMinutes, y, pieces.Minutes);
    DrawTextAt(painter, xSeconds, y, pieces.Seconds);
}

void SetTextColour(QWidget* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}
