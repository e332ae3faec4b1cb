#include "ui/main/clock_strip.h"

#include <QFontMetrics>
#include <QPainter>

#include "ui/common/fonts.h"
#include "ui/common/look.h"
#include "ui/main/clock_editor.h"

namespace {

const QSize StripSize{640, 25};

} // namespace

QFont ClockStripFont(double fontScale) {
    return ScaledFont(ArialFamily, 11, fontScale, true);
}

void PaintClockStrip(QPainter& painter, QPoint at, const QImage& background, const QFont& font,
                     const QString& text, const QString& siderealText) {
    painter.fillRect(QRect(at, StripSize), QColor(150, 152, 158));
    painter.drawImage(at, background);
    painter.setFont(font);
    painter.setPen(StripInk);
    const QFontMetrics metrics(font);
    const int top = at.y() + 4 + metrics.ascent();
    painter.drawText(at.x() + 20 + (382 - metrics.horizontalAdvance(text)) / 2, top, text);
    painter.drawText(at.x() + 420 + (200 - metrics.horizontalAdvance(siderealText)) / 2, top,
                     siderealText);
}

QImage ComposeClockStrip(const QImage& background, const QFont& font, const QString& text,
                         const QString& siderealText) {
    QImage strip(StripSize, QImage::Format_RGB32);
    QPainter painter(&strip);
    PaintClockStrip(painter, {0, 0}, background, font, text, siderealText);
    return strip;
}

TClockStrip::TClockStrip(QWidget* window, TProgramState& state, TSystemClock& systemClock,
                         const QImage& background, double fontScale)
    : TWindowPart(window, {QRect(ClockStripTopLeft, StripSize),
                           QRect(TimeEditorTopLeft, TimeEditorSize)}),
      Background(background), Font(ClockStripFont(fontScale)) {
    setObjectName("ClockStrip");
    TimeEditor = new TTimeEditor(this, state, systemClock, fontScale);
}

void TClockStrip::ShowMoment(const QString& text, const QString& siderealText) {
    StripText = text;
    SiderealText = siderealText;
    update(QRect(ClockStripTopLeft, StripSize));
}

void TClockStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintClockStrip(painter, ClockStripTopLeft, Background, Font, StripText, SiderealText);
}
