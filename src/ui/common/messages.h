// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Messages for the user: a box parented to and centred over the window the message belongs
// to, never at a corner of the screen.
//
//   ShowMessage(this, QStringLiteral("Failed to update System Time"));
//
// Tests replace the boxes with a sink that collects the messages:
//
//   TMessageCapture messages;           // for the life of the test
//   ... messages.Texts.last() ...

#include <functional>

#include <QMessageBox>
#include <QString>
#include <QStringList>

class QWidget;

// Shows the message modally over owner's window (over the active window when owner is null).
void ShowMessage(QWidget* owner, const QString& text,
                 QMessageBox::Icon icon = QMessageBox::Warning);

// The box ShowMessage opens, not yet shown: parented to owner's window and centred over it.
[[nodiscard]] QMessageBox* MakeMessageBox(QWidget* owner, const QString& text,
                                          QMessageBox::Icon icon);

// While one exists, messages go to it instead of a box (the owner's window and the text).
// Captures nest; the newest collects.
class TMessageCapture {
  public:
    TMessageCapture();
    ~TMessageCapture();
    TMessageCapture(const TMessageCapture&) = delete;
    TMessageCapture& operator=(const TMessageCapture&) = delete;

    QStringList Texts;
    QList<QWidget*> Owners;

  private:
    TMessageCapture* Outer; // the capture in force before this one
};
