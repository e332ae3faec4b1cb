// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/wheel_rows.h"

#include <QScrollBar>
#include <QWheelEvent>

namespace {

// A wheel's notch in eighths of a degree (QWheelEvent::angleDelta).
constexpr int EighthsPerNotch = 120;

} // namespace

int TWheelNotches::Take(const QWheelEvent& event) {
    Rest += event.angleDelta().y();
    const int notches = Rest / EighthsPerNotch;
    Rest -= notches * EighthsPerNotch;
    return notches;
}

void ScrollRowsByWheel(QScrollBar& bar, TWheelNotches& notches, QWheelEvent& event) {
    bar.setValue(bar.value() - WheelRowsPerNotch * notches.Take(event));
    event.accept();
}
