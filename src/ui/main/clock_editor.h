// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The time editor of the main window: a bar at (130, 40) over the clock strip with the
// hour, minute and second fields, a "Now" button (back to the present) and a "Sync" button
// (set the computer's clock from the time server). The main window's display timer stands
// still while the bar is open. Sync asks in the background: the windows keep answering, a
// second click waits for the first answer, and closing the bar another way abandons it.
//
// The clock strip holds it; it reads and changes the program state:
//
//   Editor = new TTimeEditor(strip, state, systemClock, fontScale);
//   connect(Editor, &TTimeEditor::TimerEnabled, ...);   // the display timer on or off
//   lblClock click: calendar->AcceptYear(); Editor->Open();

#include <functional>
#include <optional>

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include "engine/date_time.h"
#include "ui/main/system_clock.h"
#include "ui/main/time_sync.h"

inline constexpr QPoint TimeEditorTopLeft{130, 40};
inline constexpr QSize TimeEditorSize{228, 30};

class TProgramState;

class TTimeEditor : public QWidget {
    Q_OBJECT
  public:
    TTimeEditor(QWidget* parent, TProgramState& state, TSystemClock& systemClock, double fontScale);

    void SetSyncTimeout(int milliseconds) { SyncTimeoutMs = milliseconds; }

    void Open(); // the lblClock click, after the main window's AcceptYear
    void DisplayTimeEditor(bool visible);
    void ResetTime();
    void NowClick();
    void SyncClick();

  signals:
    void TimerEnabled(bool on); // the main window's tick timer on or off
    void EditorShown(bool visible);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override; // Escape closes the bar
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit* MakeField(const QString& name, int left);
    void AddKeyboardButton(const char* name, QRect area, const char* hint,
                           void (TTimeEditor::*click)());
    void FieldKey(QLineEdit* field, QKeyEvent* event, bool& consumed);
    // The field's value when it is a number in 0..maximum; otherwise a message and empty.
    [[nodiscard]] std::optional<int> FieldValue(QLineEdit* field);
    void Message(const QString& text);
    void SyncFinished(const TTimeSyncReply& reply);
    void Close(); // back to following the clock

    TProgramState& State;
    TSystemClock& SystemClock;
    double FontScale;
    QImage Bar;
    int SyncTimeoutMs;
    TTimeRequest Sync;
    QLineEdit* HourField = nullptr;
    QLineEdit* MinuteField = nullptr;
    QLineEdit* SecondField = nullptr;
    QLabel* HourColon = nullptr;
    QLabel* MinuteColon = nullptr;
};
