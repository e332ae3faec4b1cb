// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TDailyView: the Moon's altitude through the selected local day, with the minutes it passes
// south, west, north and east, a dot every half hour while it is up, and a table of its
// azimuth and altitude at every full hour; printed on one page.
//
//   TDailyView view(state, &main);
//   view.Open();                  // computed for the selected day, then shown
//   view.PrintDailyView();

#include <QImage>

#include "ui/common/borderless_window.h"
#include "ui/common/printing.h"
#include "ui/common/program_state.h"
#include "engine/daily_samples.h"

class TDailyView : public TBorderlessWindow {
    Q_OBJECT
  public:
    static inline const QRect GraphArea{20, 60, 599, 175};
    static inline const QRect TableArea{20, 274, 599, 125};

    explicit TDailyView(const TProgramState& state, QWidget* main = nullptr);

    // The day's samples as shown now.
    [[nodiscard]] const TDailySamples& Samples() const { return SamplesNow; }
    [[nodiscard]] const TDateRec& Day() const { return DayNow; }

  public slots:
    // Computed for the state's selected day, placed under the main window's title and shown.
    void Open();
    // The shown day on paper (through the printing path).
    TPrintOutcome PrintDailyView();

  protected:
    void PaintOver(QPainter& painter) override;

  private:
    void Recompute();
    void DrawSurfaces();

    const TProgramState& State;
    QWidget* MainWindow;
    TDateRec DayNow;
    TDailySamples SamplesNow;
    QImage GraphImage;
    QImage TableImage;
};
