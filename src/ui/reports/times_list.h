// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TTimesList: the month's rise, transit and set times of the Moon and the Sun, with the
// Moon's illuminated percentage and the three twilights, as a striped table that scrolls
// under a fixed header of column headings; printed on a landscape page with the sidereal
// time at midnight added.
//
//   TTimesList list(state, &main);
//   list.Open();                         // built for the selected month, then shown
//   list.PrintTimes(state.SelectedDate());

#include <vector>

#include <QImage>

#include "ui/common/accessibility.h"
#include "ui/common/borderless_window.h"
#include "ui/common/printing.h"
#include "ui/common/program_state.h"
#include "ui/common/wheel_rows.h"
#include "ui/reports/times_rows.h"

class TTimesList : public TBorderlessWindow, public TShownTexts {
    Q_OBJECT
  public:
    // The table: 31 rows of 14 pixels, 380 of its pixel rows shown at a time.
    static constexpr int TableWidth = 600;
    static constexpr int RowHeight = 14;
    static constexpr int TableHeight = 31 * RowHeight;
    static constexpr int VisibleRows = 380;
    static inline const QRect TableArea{20, 80, TableWidth, VisibleRows};

    explicit TTimesList(const TProgramState& state, QWidget* main = nullptr);

    // Built for the state's selected month, shown over the main window the first time and
    // kept on the screen, raised and activated.
    void Open();
    // The table for date's month and year, scrolled to its top.
    void SetupDataBitmap(const TDateRec& date);
    // Shows the table from the scroll offset.
    void DisplayDataBitmap();
    // Prints date's month (through the printing path: a print dialog, or a PDF).
    TPrintOutcome PrintTimes(const TDateRec& date);

    void ScrollUpClick();
    void ScrollDownClick();

    [[nodiscard]] int ScrollOffset() const { return Offset; }
    // The last offset: the table's last pixel row at the bottom of the table area.
    [[nodiscard]] int MaxScrollOffset() const;
    [[nodiscard]] int DayCount() const { return Days; }
    // The offset the table is shown from now (differs from ScrollOffset during a drag).
    [[nodiscard]] int ShownOffset() const { return Shown; }
    [[nodiscard]] const std::vector<TTimesRow>& Rows() const { return RowsNow; }
    [[nodiscard]] QList<TShownText> ShownTexts() override;

  protected:
    void PaintOver(QPainter& painter) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void DrawRows();
    [[nodiscard]] int Clamped(int offset) const;

    const TProgramState& State;
    QWidget* MainWindow;
    QImage TableImage;
    std::vector<TTimesRow> RowsNow;
    int Offset = 0;
    int Shown = 0;
    int Days = 31;
    bool ContentDragging = false;
    int ContentDragY = 0;
    bool Placed = false;
    TWheelNotches Wheel;
};
