#pragma once

// The time editor of the main window: a bar at (130, 40) over the clock strip with the
// hour, minute and second fields, a "Now" button (back to the present) and a "Sync" button
// (set the computer's clock from the time server). The main window's display timer stands
// still while the bar is open.
//
// TMain embeds it and reacts to its signals:
//
//   Editor = new TTimeEditor(this, Clock, SystemClock, FontScale);
//   Editor->Bind(SelectedDate, ClockOffset, Observer);
//   Editor->SetTimeServer(QString::fromStdString(Settings.TimeServer));
//   connect(Editor, &TTimeEditor::TimerEnabled, Timer1, [this](bool on) { ... });
//   connect(Editor, &TTimeEditor::DateChanged, this, [this] { ShowSelectedMonth(SelectedDate); });
//   connect(Editor, &TTimeEditor::EditorShown, this, [this](bool) { stop the year cursor });
//   lblClock click: AcceptYear(); Editor->Open();

#include <functional>
#include <optional>

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include "engine/date_time.h"
#include "engine/observer.h"
#include "ui/main/clock_source.h"
#include "ui/main/system_clock.h"

inline constexpr QPoint TimeEditorTopLeft{130, 40};

class TTimeEditor : public QWidget {
    Q_OBJECT
  public:
    TTimeEditor(QWidget* parent, TClockSource clock, TSystemClock& systemClock, double fontScale);

    // The main window's state the editor reads and changes.
    void Bind(TDateRec& selectedDate, double& clockOffset, const TObserver& observer);
    void SetTimeServer(const QString& url) { TimeServer = url; }
    void SetSyncTimeout(int milliseconds) { SyncTimeoutMs = milliseconds; }

    void Open(); // the lblClock click, after the main window's AcceptYear
    void DisplayTimeEditor(bool visible);
    void ResetTime();
    void NowClick();
    void SyncClick();

    QLineEdit* txtHour = nullptr;
    QLineEdit* txtMinute = nullptr;
    QLineEdit* txtSecond = nullptr;
    QLabel* lblColon1 = nullptr;
    QLabel* lblColon2 = nullptr;

    // Messages for the user; a message box unless replaced (tests collect them).
    std::function<void(const QString&)> ShowMessage;

  signals:
    void TimerEnabled(bool on); // Timer1 on or off
    void DateChanged();         // the selected day changed: the month is to be shown again
    void EditorShown(bool visible);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit* MakeField(const QString& name, int left);
    void FieldKey(QLineEdit* field, QKeyEvent* event, bool& consumed);
    // The field's value when it is a number in 0..maximum; otherwise a message and empty.
    [[nodiscard]] std::optional<int> FieldValue(QLineEdit* field);
    void Message(const QString& text);

    TClockSource Clock;
    TSystemClock& SystemClock;
    double FontScale;
    QImage Bar;
    QString TimeServer;
    int SyncTimeoutMs;
    TDateRec* SelectedDate = nullptr;
    double* ClockOffset = nullptr;
    const TObserver* Observer = nullptr;
};
