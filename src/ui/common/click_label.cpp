// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/click_label.h"

#include <QKeyEvent>
#include <QMetaMethod>
#include <QPainter>

#include "ui/common/keyboard.h"

TClickLabel::TClickLabel(QWidget* parent) : QLabel(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    setCursor(Qt::ArrowCursor);
}

void TClickLabel::mousePressEvent(QMouseEvent* event) {
    emit Pressed(event->button(), event->position().toPoint());
    event->accept();
}

void TClickLabel::mouseMoveEvent(QMouseEvent* event) {
    emit Moved(event->buttons(), event->position().toPoint());
    event->accept();
}

void TClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    emit Released(event->button(), pos);
    if (rect().contains(pos)) emit Clicked(event->button(), pos);
    event->accept();
}

void TClickLabel::keyPressEvent(QKeyEvent* event) {
    if ((focusPolicy() & Qt::TabFocus) && IsActivationKey(*event)) {
        // A held key clicks once.
        if (!event->isAutoRepeat()) Press();
        event->accept();
        return;
    }
    QLabel::keyPressEvent(event);
}

void TClickLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!ShowsFocusMark(*this)) return;
    QPainter painter(this);
    PaintFocusMark(painter, rect());
}

void TClickLabel::Press() {
    emit Clicked(Qt::LeftButton, rect().center());
}

bool TClickLabel::Pressable() const {
    return isSignalConnected(QMetaMethod::fromSignal(&TClickLabel::Clicked));
}
