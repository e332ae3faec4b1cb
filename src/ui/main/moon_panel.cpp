// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/moon_panel.h"

#include <QPainter>

#include "ui/common/look.h"

TMoonPanel::TMoonPanel(QWidget* window, const TProgramState& state, const QImage& photograph)
    : TWindowPart(window, {QRect(MoonPictureTopLeft, QSize(MoonPictureSize, MoonPictureSize))}),
      State(state), Photo(photograph.convertToFormat(QImage::Format_RGB32)), Working(Photo) {
    setObjectName("MoonPicture");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(&State, &TProgramState::Changed, this, [this](TStateChanges what) {
        if (what & TStateChange::Settings) OrientMoon();
    });
    OrientMoon();
}

void TMoonPanel::ShowPhase(int illumination, double lunation) {
    LunationNow = lunation;
    const int key = illumination * 2 + (lunation < 50.0 ? 0 : 1);
    if (key == ShadingKey) return;
    ShadingKey = key;
    Working = DrawMoonGraphic(Photo, illumination, lunation);
    OrientMoon();
}

void TMoonPanel::OpticsClick() {
    View = NextOpticsView(View);
    OrientMoon();
    emit OpticsChanged(View);
}

void TMoonPanel::OrientMoon() {
    Picture = DrawMoon(Working, State.Settings().Position.LatitudeSide, View);
    update();
}

void TMoonPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // At a fractional screen scale the photograph is resampled, not blown up in blocks.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(MoonPictureTopLeft, Picture);
}
