// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Moon's values on the main window: beside the drawing the percent lit, the age, the
// distance, the topocentric right ascension and declination, the parallax, the apparent
// diameter and the next apogee and perigee; below it the day's moonrise, transit and
// moonset in the order of the day, and the box that shows either azimuth, altitude,
// bright-limb and phase angles or the colongitude, the librations and the axis angle
// (switched by the button above it). Values are painted at the window's scale, as crisp as
// the captions.

#include <array>

#include <QImage>
#include <QString>

#include "engine/moon.h"
#include "engine/text_helpers.h"
#include "ui/common/accessibility.h"
#include "ui/common/program_state.h"
#include "ui/common/window_part.h"
#include "ui/main/panels_text.h"

// The texts the tick computes and the panel shows.
struct TSurfaceTexts {
    bool Valid = false;
    QString Visible;  // "57%     "
    QString Distance; // "384400 km  "
    TSexagesimal RightAscension;
    TSexagesimal Declination;
    TSexagesimal Parallax;
    TSexagesimal Diameter;
    TMoonAgeText Age;
    QString ApogeeTime, ApogeeDistance, PerigeeTime, PerigeeDistance;
};

class TMoonDataPanel : public TWindowPart, public TShownTexts {
    Q_OBJECT
  public:
    TMoonDataPanel(QWidget* window, const TProgramState& state, const QImage& paramsBackground,
                   double fontScale);

    // The displayed moment's Moon and its age in days.
    void ShowMoment(const TMoonData& moon, double ageDays);
    // The box below: Az/Alt/P.A./Ph.A or Co/lo/bo/PAA.
    void LibrationClick();
    [[nodiscard]] bool ShowAzAlt() const { return AzAlt; }
    [[nodiscard]] const TSurfaceTexts& Texts() const { return SurfaceTexts; }
    [[nodiscard]] QList<TShownText> ShownTexts() override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void CreateCaptions();
    void DisplayLunarRiseSetTimes();
    void DisplayApsides();
    void PaintSurfaceTexts(QPainter& painter) const;
    void PaintParams(QPainter& painter) const;

    const TProgramState& State;
    QImage ParamsBackground;
    double FontScale;
    bool AzAlt = true;
    TSurfaceTexts SurfaceTexts;
    std::array<TSexagesimal, 4> AzAltValues;
    std::array<TSexagesimal, 4> LibrationValues;
    std::array<TClickLabel*, 3> RowTitles{};
    std::array<TClickLabel*, 3> RowValues{};
    std::array<TClickLabel*, 4> ParamCaptions{};
};
