// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of the window program's start: the least a Qt Widgets program does to show
// a 640x480 window, ending the same way as the program under TIDEWELL_QUIT_AFTER_PAINT.

#include <QApplication>
#include <QWidget>

#include "app/quit_after_paint.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(640, 480);
    window.show();
    QuitAfterFirstPaintWhenAsked(window);
    return QApplication::exec();
}
