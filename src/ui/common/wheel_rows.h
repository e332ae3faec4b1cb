// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The mouse wheel over a list: three rows a notch, as lists scroll, a touchpad's small steps
// added up until they make a notch.
//
//   void wheelEvent(QWheelEvent* event) override { ScrollRowsByWheel(*RowsBar, Wheel, *event); }

class QScrollBar;
class QWheelEvent;

inline constexpr int WheelRowsPerNotch = 3;

// Whole notches of wheel turn, the rest kept for the next turn.
class TWheelNotches {
  public:
    // The whole notches of this turn and the rest before it: positive turned away from the
    // user (up the list), negative towards.
    [[nodiscard]] int Take(const QWheelEvent& event);

  private:
    int Rest = 0; // in eighths of a degree, less than a notch
};

// Moves the bar by the event's whole notches (up the list for a turn away from the user) and
// accepts the event.
void ScrollRowsByWheel(QScrollBar& bar, TWheelNotches& notches, QWheelEvent& event);
