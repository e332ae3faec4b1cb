#include "ui/common/click_label.h"

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
