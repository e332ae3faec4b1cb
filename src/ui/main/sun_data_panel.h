// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Sun's values on the main window: the day's sunrise, transit and sunset, the start and
// end of civil, nautical and astronomical twilight, and the box with the Sun's azimuth,
// altitude, right ascension and declination at the displayed moment.

#include <array>

#include <QImage>

#include "engine/sun.h"
#include "engine/text_helpers.h"
#include "ui/common/accessibility.h"
#include "ui/common/program_state.h"
#include "ui/common/window_part.h"

class TSunDataPanel : public TWindowPart, public TShownTexts {
    Q_OBJECT
  public:
    TSunDataPanel(QWidget* window, const TProgramState& state, const QImage& paramsBackground,
                  double fontScale);

    // The displayed moment's Sun.
    void ShowMoment(const TSunData& sun);
    [[nodiscard]] QList<TShownText> ShownTexts() override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void CreateCaptions();
    void DisplaySolarRiseSetTimes();

    const TProgramState& State;
    QImage ParamsBackground;
    double FontScale;
    bool Valid = false;
    std::array<TSexagesimal, 4> Values; // Az, Alt, R.A., Dec
    std::array<TClickLabel*, 3> SunTimes{};
    std::array<TClickLabel*, 3> TwilightStarts{};
    std::array<TClickLabel*, 3> TwilightEnds{};
};
