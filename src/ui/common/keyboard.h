// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The keyboard's side of the windows' painted buttons and menus: which keys press a button
// or step through a menu, and the mark a button with the focus carries. The mark is a dark ring
// holding a light one, so it stands out on the light frame and on the dark panels alike, in day
// colours and through the night-vision transform.

#include <functional>

#include <QRect>

class QKeyEvent;
class QPainter;
class QWidget;

// Return, Enter or Space without Ctrl or Alt.
[[nodiscard]] bool IsActivationKey(const QKeyEvent& event);

// Whether a control shows the focus mark: it has the focus and its window is being worked
// from the keyboard (a mouse click hides the mark again).
[[nodiscard]] bool ShowsFocusMark(const QWidget& control);

// The mark along the inside edge of area.
void PaintFocusMark(QPainter& painter, const QRect& area);

// A key typed to a menu of count entries whose mark is on current (-1 for none): the stepping
// keys (Down or Tab the next, Up or Shift+Tab the one before, round the ends, skipping the
// entries choosable refuses) move the mark by point; Return or Space choose the marked entry.
// False for any other key.
bool MenuKeyPress(const QKeyEvent& event, int current, int count,
                  const std::function<void(int)>& point, const std::function<void(int)>& choose,
                  const std::function<bool(int)>& choosable = {});
