#pragma once

// The pop-up windows (report menu, month picker, equinoxes, Easter, date information) are
// Qt pop-ups: the toolkit closes them at the first click outside, whatever the window
// manager does with activation; TWindowRole::PopUp closes them on deactivation as well.

#include <QWidget>

inline void MakePopUp(QWidget& window) {
    window.setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
}
