// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one hook by which a window that shows the selected month follows it: whoever changes
// the month or the observer (the calendar, the year editor, the clock passing midnight into
// a new month, "Now", a phase or eclipse chosen elsewhere, the configuration), every visible
// window that follows is rebuilt. A hidden window rebuilds when it is opened.
//
//   FollowMonth(this, state, [this] { SetupDataBitmap(state.SelectedDate()); });

#include <functional>

#include "ui/common/program_state.h"

class QWidget;

// Calls rebuild after every change of the state that includes one of `what` while window is
// visible (minimised counts as visible).
void FollowMonth(QWidget* window, const TProgramState& state, std::function<void()> rebuild,
                 TStateChanges what = TStateChange::Month | TStateChange::Observer);
