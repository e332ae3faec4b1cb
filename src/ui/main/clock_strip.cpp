// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/clock_strip.h"

#include <QFontMetrics>
#include <QPainter>

#include "ui/common/fonts.h"
#include "ui/common/look.h"
#include "ui/main/clock_editor.h"

namespace {

const QSize StripSize{640, 25};
// The widest right-hand text: centred over x 420..620, it stays clear of the divider at 411.
constexpr int ZoneAndSiderealWidth = 216;
// The two texts are centred over these spans of the strip.
const QRect MomentSpan{20, 0, 382, 25};
const QRect SiderealSpan{420, 0, 200, 25};

void DrawCentred(QPainter& painter, const QFontMetrics& metrics, QPoint at, const QRect& span,
                 int top, const QString& text) {
    const int width = metrics.horizontalAdvance(text);
    painter.drawText(at.x() + span.left() + (span.width() - width) / 2, top, text);
}

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
    DrawCentred(painter, metrics, at, MomentSpan, top, text);
    DrawCentred(painter, metrics, at, SiderealSpan, top, siderealText);
}

QString ZoneAndSiderealText(const QFont& font, const QString& zoneCaption,
                            const QString& siderealText) {
    if (zoneCaption.isEmpty()) return siderealText;
    const QString tail = QStringLiteral("  ") + siderealText;
    const QFontMetrics metrics(font);
    return metrics.elidedText(zoneCaption, Qt::ElideMiddle,
                              ZoneAndSiderealWidth - metrics.horizontalAdvance(tail)) +
           tail;
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
    : TWindowPart(window,
                  {QRect(ClockStripTopLeft, StripSize), QRect(TimeEditorTopLeft, TimeEditorSize)}),
      Background(background), Font(ClockStripFont(fontScale)) {
    setObjectName("ClockStrip");
    TimeEditor = new TTimeEditor(this, state, systemClock, fontScale);
}

void TClockStrip::ShowMoment(const QString& text, const QString& siderealText) {
    StripText = text;
    SiderealText = siderealText;
    update(QRect(ClockStripTopLeft, StripSize));
}

QList<TShownText> TClockStrip::ShownTexts() {
    return {{MomentSpan.translated(ClockStripTopLeft), StripText, QStringLiteral("Displayed time")},
            {SiderealSpan.translated(ClockStripTopLeft), SiderealText,
             QStringLiteral("Local sidereal time now")}};
}

void TClockStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintClockStrip(painter, ClockStripTopLeft, Background, Font, StripText, SiderealText);
}
