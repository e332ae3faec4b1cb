// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The two small pop-ups of the main window:
//
//   TReportMenu  ten picture entries, one per report; a click closes the menu and hands
//                the entry on through EntryChosen, which the window set connects to the
//                report's window (entries whose window does not exist yet do nothing).
//   TMonthList   the twelve month names; a click sets the month of the selected date.
//
// Both mark the entry under the mouse with an arrow and close at the first click elsewhere.
// From the keyboard the arrow keys (or Tab) move the arrow, Return or Space choose the entry
// it marks, and Escape closes the menu.

#include <QImage>
#include <QLabel>

#include "ui/common/accessibility.h"
#include "ui/common/borderless_window.h"
#include "ui/common/program_state.h"
#include "ui/menus/report_entries.h"

// The report menu's entries, from the top.
enum class TReportEntry {
    LunarVisibility, // the observing aid
    DailyView,
    FindEclipses, // the eclipse report
    DisplayPhases,
    FeaturesDB,
    LunarFeatures, // sunrise and sunset over lunar features
    EquinoxInfo,
    Easter,
    TonightOnTerminator,
    ExportToCalendar, // the year's phases, apsides, eclipses and seasons as an .ics file
};
inline constexpr int ReportEntryCount = static_cast<int>(ReportEntryNames.size());

class TReportMenu : public TBorderlessWindow, public TShownTexts {
    Q_OBJECT
  public:
    static constexpr int EntryHeight = 20;
    static constexpr int MenuWidth = 265;

    explicit TReportMenu(QWidget* main = nullptr);

    // Shown at the main window's report button, 40 pixels below its top.
    void Open();
    // The entry at a point of the menu, or -1.
    [[nodiscard]] static int EntryAt(QPoint pos);
    // The entries by name (their picture's captions), each chosen as by a click.
    [[nodiscard]] QList<TShownText> ShownTexts() override;

  signals:
    void EntryChosen(TReportEntry entry);

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void PointAt(int entry);
    [[nodiscard]] int PointedEntry() const; // -1 while the arrow is hidden
    void Choose(int entry);

    QWidget* MainWindow;
    QLabel* EntryArrow = nullptr;
};

class TMonthList : public TBorderlessWindow, public TShownTexts {
    Q_OBJECT
  public:
    static constexpr int RowHeight = 29;

    TMonthList(TProgramState& state, QWidget* main = nullptr);

    // Shown beside the calendar (main window left + 580, top + 50), kept on the screen.
    void Open();
    // The month (1..12) at a point of the picture, or 0.
    [[nodiscard]] static int MonthAt(QPoint pos);
    // The months' names, each chosen as by a click.
    [[nodiscard]] QList<TShownText> ShownTexts() override;

  protected:
    void PaintOver(QPainter& painter) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void PointAt(int month);
    [[nodiscard]] int PointedMonth() const;
    void Choose(int month);
    [[nodiscard]] QRect MonthRow(int month) const;

    TProgramState& State;
    QWidget* MainWindow;
    QLabel* MonthArrow = nullptr;
};
