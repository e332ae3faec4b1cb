// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TFeatures: the next lunar sunrise and sunset over every feature of one file, for the month
// selected in the main window (from its first day, at the selected time of day), with a
// button that opens the database window on the same file. Follows the selected moment and the
// observer while shown.
//
//   TFeatures view(state, &main);
//   view.Display(settings.FeatureIdx);   // computes under the busy cursor, then shows (opened
//                                        // over the main window, below its title bar)

#include <vector>

#include "features/feature_times.h"
#include "ui/common/borderless_window.h"
#include "ui/common/wheel_rows.h"

class QComboBox;
class QScrollBar;
class TProgramState;

class TFeatures : public TBorderlessWindow {
    Q_OBJECT
  public:
    static constexpr int VisibleRows = 25;
    static constexpr QRect Well{20, 60, 584, 400};

    explicit TFeatures(const TProgramState& state, QWidget* main = nullptr);

    // Selects the file (an index outside the list selects Craters), computes and shows.
    void Display(int index);
    // Computes the times of the selected file for the selected month and shows the window.
    void DisplaySunRiseSetTimes();

  signals:
    // The database button: the database window on this file.
    void DatabaseRequested(int index);

  protected:
    void PaintOver(QPainter& painter) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    // The selected file's times for the selected moment, the window left where it is.
    void ComputeTimes();

    const TProgramState& State;
    QWidget* MainWindow;
    QComboBox* FeatureFileChoice = nullptr;
    QScrollBar* RowScroll = nullptr;
    std::vector<TFeatureSunEvents> Listing;
    TWheelNotches Wheel;
};
