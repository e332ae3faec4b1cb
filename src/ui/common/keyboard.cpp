// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/keyboard.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

#include "ui/common/look.h"

bool IsActivationKey(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    const int key = event.key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
}

bool ShowsFocusMark(const QWidget& control) {
    return control.hasFocus() && control.window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

void PaintFocusMark(QPainter& painter, const QRect& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    const QRectF outer = QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(DarkPanel, 1.0));
    painter.drawRoundedRect(outer, 3.0, 3.0);
    painter.setPen(QPen(Aqua, 1.0));
    painter.drawRoundedRect(outer.adjusted(1.0, 1.0, -1.0, -1.0), 2.0, 2.0);
    painter.restore();
}

namespace {

// The entry after a stepping key (step -1 or 1), skipping those choosable refuses.
int SteppedEntry(int current, int step, int count, const std::function<bool(int)>& choosable) {
    int entry = current < 0 ? (step > 0 ? count - 1 : 0) : current;
    for (int tries = 0; tries < count; ++tries) {
        entry = (entry + step + count) % count;
        if (!choosable || choosable(entry)) return entry;
    }
    return current;
}

} // namespace

bool MenuKeyPress(const QKeyEvent& event, int current, int count,
                  const std::function<void(int)>& point, const std::function<void(int)>& choose,
                  const std::function<bool(int)>& choosable) {
    int step = 0;
    if (event.key() == Qt::Key_Down || event.key() == Qt::Key_Tab) step = 1;
    if (event.key() == Qt::Key_Up || event.key() == Qt::Key_Backtab) step = -1;
    if (step != 0 && count > 0) {
        point(SteppedEntry(current, step, count, choosable));
        return true;
    }
    if (!IsActivationKey(event) || current < 0) return false;
    choose(current);
    return true;
}
