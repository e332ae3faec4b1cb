// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TFeaturesDB: every record of one feature file as a table (name, selenographic latitude
// and longitude, diameter, comments), scrolled by rows and in seven fixed column steps.
//
//   TFeaturesDB db(&main);
//   db.Display(2);   // the Craters file, both scroll bars at their start

#include "features/feature_file.h"
#include "ui/common/borderless_window.h"
#include "ui/common/wheel_rows.h"

class QComboBox;
class QLabel;
class QScrollBar;

class TFeaturesDB : public TBorderlessWindow {
    Q_OBJECT
  public:
    static constexpr int VisibleRows = 21;
    static constexpr QRect Well{20, 62, 585, 336};

    explicit TFeaturesDB(QWidget* main = nullptr);

    // Selects the file (an index outside the list selects Craters), loads it and shows the
    // window centred over `over` (the main window when null).
    void Display(int index, QWidget* over = nullptr);

    // The horizontal offset of a column step 0..6.
    [[nodiscard]] static int ColumnOffset(int step);
    // Where a row's longitude hemisphere letter starts and its diameter number ends.
    static constexpr int LongDirX = 290;
    static constexpr int DiameterEndX = 335;
    // A diameter as the table shows it: at most five figures.
    [[nodiscard]] static QString DiameterText(double km);

  protected:
    void PaintOver(QPainter& painter) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void LoadSelected();
    void PlaceHeadings();
    // A hint with the whole comment over each shown comment the well cuts.
    void HintCutComments();

    QWidget* MainWindow;
    QComboBox* FeatureFileChoice = nullptr;
    QScrollBar* RowScroll = nullptr;
    QScrollBar* ColumnScroll = nullptr;
    QLabel* Headings[5] = {};
    TFeatureTable Features;
    TWheelNotches Wheel;
};
