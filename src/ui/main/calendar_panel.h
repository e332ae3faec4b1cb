// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The month calendar of the main window: the weekday headers, the 42 day cells, the month
// and year captions over their shadows, the highlight of the selected day and the year
// editor (a click on the year, digits, Backspace, Enter). It shows the program state's month
// and changes the selected day through it.
//
//   auto* calendar = new TCalendarPanel(main, state, art, fontScale);
//   connect(calendar, &TCalendarPanel::DateInfoRequested, ...);   // right click on a day
//   connect(calendar, &TCalendarPanel::MonthPickerRequested, ...); // click on the month

#include <array>

#include <QImage>
#include <QTimer>

#include "engine/date_time.h"
#include "ui/common/calendar_layout.h"
#include "ui/common/program_state.h"
#include "ui/common/window_part.h"

class QKeyEvent;

class TCalendarPanel : public TWindowPart {
    Q_OBJECT
  public:
    struct TArt {
        QImage DayHighlight; // 25 × 23, over the selected cell
        QImage YearButton;   // the edit box behind the year while it is typed
    };
    TCalendarPanel(QWidget* window, TProgramState& state, const TArt& art, double fontScale);

    void SetDayTitles(int order);
    void ShowSelectedMonth();
    // A left click on a cell selects its day.
    void DateSelect(const TClickLabel* cell);
    void OpenYearEditor();
    // Takes the typed year (when it is one) and closes the editor.
    void AcceptYear();
    // A key typed while the year editor is open; false when the editor is closed.
    bool YearKeyPress(QKeyEvent* event);

    [[nodiscard]] bool YearEditing() const { return Editing; }
    [[nodiscard]] QPoint HighlightPos() const { return HighlightAt; }
    // The last year the editor refused ("" when none); the message says the same.
    [[nodiscard]] const QString& LastYearError() const { return YearError; }
    // The cell that shows a day of the month shown (null for no such day).
    [[nodiscard]] TClickLabel* DayCell(int day) const;
    [[nodiscard]] const std::array<TClickLabel*, CalendarColumns>& DayLabels() const {
        return Headers;
    }

  signals:
    void DateInfoRequested(const TDateRec& date);
    void MonthPickerRequested();
    void YearAccepted();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void CreateCaptions();
    void CreateCells();
    void PlaceMonthCaptions();
    void ShowCursor();
    void YearKey(char key);
    void CloseYearEditor();
    void DisplayDateInfo(const TClickLabel* cell, Qt::MouseButton button);
    [[nodiscard]] int DayOf(const TClickLabel* cell) const;

    TProgramState& State;
    TArt Art;
    double FontScale;
    std::array<TClickLabel*, CalendarColumns> Headers{};
    std::array<TClickLabel*, CalendarCells> Cells{};
    TClickLabel* MonthCaption = nullptr;
    TClickLabel* MonthShadow = nullptr;
    TClickLabel* YearCaption = nullptr;
    TClickLabel* YearShadow = nullptr;
    TClickLabel* Cursor = nullptr;
    QTimer CursorTimer;
    QPoint HighlightAt{-100, -100};
    QPoint YearButtonAt{-100, -100};
    bool Editing = false;
    QString YearError;
};
