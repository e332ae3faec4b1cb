// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// For timing the start from outside: with TIDEWELL_QUIT_AFTER_PAINT set in the environment,
// the program ends as soon as its window has been painted and handed to the display, so a
// whole-process timer measures exec to the painted window and the process's peak memory is
// that of the window alone (bench/window_startup.sh).
//
//   TWindowSet windows;
//   windows.Show();
//   QuitAfterFirstPaintWhenAsked(windows.Main());
//
// Qt only, so that the yardstick program (bench/minimal_window.cpp) ends the same way.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

class TQuitAfterFirstPaint : public QObject {
  public:
    explicit TQuitAfterFirstPaint(QWidget& window) : QObject(&window) {
        window.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The window is painted before its children, and the whole repaint is flushed to
        // the display before the event loop takes the next timer.
        if (event->type() == QEvent::Paint && !Quitting) {
            Quitting = true;
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    bool Quitting = false;
};

inline void QuitAfterFirstPaintWhenAsked(QWidget& window) {
    if (qEnvironmentVariableIsSet("TIDEWELL_QUIT_AFTER_PAINT")) new TQuitAfterFirstPaint(window);
}
