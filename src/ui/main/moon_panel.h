// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The drawing of the Moon's phase on the main window: the photograph with its unlit part
// darkened, turned for the hemisphere and the optics (binoculars, telescope, star diagonal).
// The shading is redone only when the whole percent lit or waxing/waning changes.

#include <QImage>

#include "ui/common/program_state.h"
#include "ui/common/window_part.h"
#include "ui/main/moon_drawing.h"

class TMoonPanel : public TWindowPart {
    Q_OBJECT
  public:
    TMoonPanel(QWidget* window, const TProgramState& state, const QImage& photograph);

    // The phase at the displayed moment: percent lit and percent of the lunation elapsed.
    void ShowPhase(int illumination, double lunation);
    // The optics button: binoculars → telescope → diagonal → binoculars.
    void OpticsClick();
    [[nodiscard]] TOpticsView Optics() const { return View; }
    [[nodiscard]] const QImage& MoonImage() const { return Picture; }
    [[nodiscard]] double Lunation() const { return LunationNow; }

  signals:
    void OpticsChanged(TOpticsView view);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void OrientMoon();

    const TProgramState& State;
    QImage Photo;
    QImage Working; // shaded, before turning for hemisphere and optics
    QImage Picture; // as shown
    TOpticsView View = TOpticsView::Binoculars;
    double LunationNow = 0.0;
    int ShadingKey = -1; // illumination and waxing of the picture last shaded
};
