// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A window used as its user uses it: a control found by the name it carries, clicks and
// wheel notches delivered at a place of the window, and the records a list shows, read
// from what it paints.

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

// A control of a window or of a part of one, by the name it carries (the windows are
// top-level, so a name is looked up in its own window only); the window for an empty name.
template <class T = QWidget> [[nodiscard]] T* Control(const QWidget& window, const QString& name) {
    if (name.isEmpty()) return qobject_cast<T*>(const_cast<QWidget*>(&window));
    for (T* w : window.findChildren<T*>(name))
        if (w->window() == window.window()) return w;
    return nullptr;
}

// A click at a place of the shown window, given to whatever is there.
inline void ClickAt(QWidget& window, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(window.windowHandle(), button, Qt::NoModifier, at);
}
inline void DoubleClickAt(QWidget& window, QPoint at) {
    QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
}

// A turn of the wheel over a place of the window (120 a notch, negative towards the user).
inline void WheelAt(QWidget& window, QPoint at, int delta) {
    QWheelEvent wheel(at, window.mapToGlobal(at), {}, {0, delta}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&window, &wheel);
}

// The record a list shows in its first row: the row of `atTop` (the list painted from its
// first record) whose pixels the first row now shows; -1 when none does.
[[nodiscard]] inline int FirstShownRecord(QWidget& window, const QImage& atTop, const QRect& well,
                                          int rowHeight) {
    const QImage now = window.grab(well).toImage();
    const QRect row(0, 0, well.width(), rowHeight);
    for (int k = 0; (k + 1) * rowHeight <= well.height(); ++k)
        if (atTop.copy(row.translated(0, k * rowHeight)) == now.copy(row)) return k;
    return -1;
}

// The smallest rectangle holding every pixel that differs between two paintings of a window.
[[nodiscard]] inline QRect ChangedArea(const QImage& before, const QImage& after) {
    QRect changed;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y)) changed |= QRect(x, y, 1, 1);
    return changed;
}
