// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/window_part.h"

#include "ui/common/panels_draw.h"

TWindowPart::TWindowPart(QWidget* window, std::initializer_list<QRect> areas) : QWidget(window) {
    for (const QRect& area : areas)
        AreasRegion += area;
    setGeometry(0, 0, window->width(), window->height());
    setMask(AreasRegion);
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
}

TClickLabel* TWindowPart::AddLabel(const QString& name, const QRect& area, const QFont& font,
                                   const QColor& colour, Qt::Alignment align) {
    auto* label = new TClickLabel(this);
    label->setObjectName(name);
    label->setGeometry(area);
    label->setFont(font);
    SetTextColour(label, colour);
    label->setAlignment(align);
    return label;
}
