// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The month's principal phases beside the calendar: up to five pictures with their local
// times; the second full moon of a month is drawn as a blue moon. A click on a phase shows
// its moment (the day selected, the clock shifted to its minute). Pictures are turned for
// the southern hemisphere.

#include <array>

#include <QImage>

#include "engine/phases.h"
#include "ui/common/program_state.h"
#include "ui/common/window_part.h"

class TPhaseListPanel : public TWindowPart {
    Q_OBJECT
  public:
    // new moon, last quarter, full moon, first quarter, blue moon; drawn for the north.
    using TPictures = std::array<QImage, 5>;
    TPhaseListPanel(QWidget* window, TProgramState& state, const TPictures& pictures);

    void DisplayPhaseTimes();
    void SelectMajorPhaseDate(int index);
    // Whether picture index (0..4) shows the blue moon.
    [[nodiscard]] bool IsBlueMoonPicture(int index) const;
    [[nodiscard]] const QImage& PictureShown(int index) const;

  private:
    TProgramState& State;
    TPictures Pictures;
    TPictures Turned; // for the southern hemisphere
    std::array<TClickLabel*, MaxMonthPhases> Captions{};
    std::array<TClickLabel*, MaxMonthPhases> Images{};
    std::array<int, MaxMonthPhases> Shown{}; // picture index per row, -1 for none
};
