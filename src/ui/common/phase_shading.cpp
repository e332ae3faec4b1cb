// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/phase_shading.h"

#include <algorithm>
#include <cstdlib>

#include <QPainter>
#include <QPainterPath>

int ShadowGrey(int phaseDensity) {
    phaseDensity = std::clamp(phaseDensity, 0, 100);
    return (25500 - phaseDensity * 255) / 100; // both non-negative: division truncates
}

QColor ShadowInk(int phaseDensity) {
    const int g = ShadowGrey(phaseDensity);
    return QColor(g, g, g);
}

bool DarkSideLeft(bool waxing, bool northern) {
    return waxing == northern;
}

void DrawPhaseDisc(QPainter& painter, QPoint centre, int radius, int illumination, bool darkLeft,
                   const QColor& ink, int penWidth) {
    illumination = std::clamp(illumination, 0, 100);
    const int r = radius;
    const int b = r - 2 * r * (100 - illumination) / 100;
    const QRectF limb(centre.x() - r, centre.y() - r, 2.0 * r, 2.0 * r);
    const QRectF terminator(centre.x() - std::abs(b), centre.y() - r, 2.0 * std::abs(b), 2.0 * r);

    // The dark half of the limb from the top round to the bottom, then the terminator back
    // up: on the dark side of the centre line for b > 0, on the lit side for b < 0. Drawn for
    // the dark side on the left; the right is its mirror image.
    QPainterPath shadow;
    shadow.moveTo(centre.x(), centre.y() - r);
    shadow.arcTo(limb, 90, 180);
    if (b != 0)
        shadow.arcTo(terminator, 270, b > 0 ? -180 : 180);
    else
        shadow.lineTo(centre.x(), centre.y() - r);
    shadow.closeSubpath();
    if (!darkLeft) {
        QTransform mirror;
        mirror.translate(2.0 * centre.x(), 0);
        mirror.scale(-1, 1);
        shadow = mirror.map(shadow);
    }

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, penWidth));
    painter.setBrush(Qt::white);
    painter.drawEllipse(limb);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPath(shadow);
    painter.restore();
}
