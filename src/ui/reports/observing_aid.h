// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TObservingAid: the month chart of darkness, twilight and moonlight for planning a night,
// in day view (midnight to midnight) or night view (noon to noon), with or without an hour
// grid; printed on one landscape page.
//
//   TObservingAid aid(state, &main);
//   aid.Open();                     // night view, no grid, for the selected month
//   aid.DayNightClick();            // day view
//   aid.PrintDiagram();

#include <QImage>

#include "ui/common/borderless_window.h"
#include "ui/common/printing.h"
#include "ui/common/program_state.h"
#include "engine/aid_bands.h"
#include "ui/reports/aid_chart.h"

class TObservingAid : public TBorderlessWindow {
    Q_OBJECT
  public:
    static inline const QRect ChartArea{20, 75, 500, 384};

    explicit TObservingAid(const TProgramState& state, QWidget* main = nullptr);

    [[nodiscard]] TAidView View() const { return ViewMode; }
    [[nodiscard]] bool GridOn() const { return Grid; }
    [[nodiscard]] const TAidMonth& MonthShown() const { return MonthNow; }

  public slots:
    // Night view, no grid, computed for the selected month; shown at the main window's top,
    // kept on the screen.
    void Open();
    void DayNightClick();
    void LinesGridClick();
    // The shown month on paper (through the printing path).
    TPrintOutcome PrintDiagram();

  protected:
    void PaintOver(QPainter& painter) override;

  private:
    void Recompute();
    // Draws the chart from the month's stretches (doa).
    void doa();
    void ShowToggles();

    const TProgramState& State;
    QWidget* MainWindow;
    TAidView ViewMode = TAidView::Night;
    bool Grid = false;
    TDateRec DateNow;
    TAidMonth MonthNow;
    QImage ChartImage;
    TClickLabel* DayNightButton = nullptr;
    TClickLabel* LinesGridButton = nullptr;
};
