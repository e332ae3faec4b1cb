// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/window_placement.h"

#include <algorithm>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

QPoint ClampedInto(QPoint wanted, QSize size, const QRect& area) {
    if (area.isEmpty()) return wanted;
    // The upper bound first, so that the top-left corner wins when the window is too big.
    const int left = std::max(area.left(), std::min(wanted.x(), area.right() + 1 - size.width()));
    const int top = std::max(area.top(), std::min(wanted.y(), area.bottom() + 1 - size.height()));
    return {left, top};
}

QPoint PlaceClearOfTitle(QPoint wanted, QSize size, const QRect& owner, const QRect& area) {
    const QRect title(owner.topLeft(), QSize(owner.width(), CascadeDrop));
    const auto coversTitle = [&](QPoint at) { return QRect(at, size).intersects(title); };
    QPoint place = wanted;
    if (coversTitle(place)) place.setY(owner.top() + CascadeDrop);
    place = ClampedInto(place, size, area);
    if (!coversTitle(place)) return place;
    // No room below the title bar (the owner sits low on the screen): beside the owner.
    for (const int left : {owner.right() + 1, owner.left() - size.width()}) {
        const QPoint beside = ClampedInto({left, wanted.y()}, size, area);
        if (!coversTitle(beside)) return beside;
    }
    return place;
}

TPairPlaces SideBySide(const QRect& first, const QRect& second, const QRect& area) {
    const int pairWidth = first.width() + second.width();
    int firstLeft = area.left();
    int secondLeft = area.right() + 1 - second.width();
    if (pairWidth <= area.width()) {
        firstLeft = std::clamp(first.left(), area.left(), area.right() + 1 - pairWidth);
        secondLeft = firstLeft + first.width();
    }
    return {ClampedInto({firstLeft, first.top()}, first.size(), area),
            ClampedInto({secondLeft, second.top()}, second.size(), area)};
}

bool CompositorPlacesWindows() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

QRect AvailableAreaAt(QPoint point, const QWidget* fallback) {
    QScreen* screen = QGuiApplication::screenAt(point);
    if (screen == nullptr && fallback != nullptr) screen = fallback->screen();
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

void PlacePairUnder(QWidget& first, QWidget& second, const QWidget& owner) {
    const QRect main = owner.frameGeometry();
    const int left = main.left() + (main.width() - (first.width() + second.width())) / 2;
    const QRect firstWanted(QPoint(left, first.y()), first.size());
    const QRect secondWanted(QPoint(left + first.width(), second.y()), second.size());
    const TPairPlaces places =
        SideBySide(firstWanted, secondWanted,
                   AvailableAreaAt(firstWanted.united(secondWanted).center(), &owner));
    first.move(places.First);
    second.move(places.Second);
}
