// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/month_follower.h"

#include <utility>

#include <QWidget>

void FollowMonth(QWidget* window, const TProgramState& state, std::function<void()> rebuild,
                 TStateChanges what) {
    QObject::connect(&state, &TProgramState::Changed, window,
                     [window, what, rebuild = std::move(rebuild)](TStateChanges changed) {
                         if ((changed & what) && window->isVisible()) rebuild();
                     });
}
