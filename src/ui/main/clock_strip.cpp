#include "ui/main/clock_strip.h"

#include <QFontMetrics>
#include <QPainter>

#include "ui/common/fonts.h"

QFont ClockStripFont(double fontScale) {
    return ScaledFont(ArialFamily, 11, fontScale, true);
}

QImage ComposeClockStrip(const QImage& background, const QFont& font, const QString& text,
                         const QString& siderealText) {
    QImage strip(640, 25, QImage::Format_RGB32);
    strip.fill(QColor(150, 152, 158));
    QPainter p(&strip);
    p.drawImage(0, 0, background);
    p.setFont(font);
    p.setPen(QColor(0, 0, 128));
    const QFontMetrics metrics(font);
    const int top = 4 + metrics.ascent();
    p.drawText(20 + (382 - metrics.horizontalAdvance(text)) / 2, top, text);
    p.drawText(420 + (200 - metrics.horizontalAdvance(siderealText)) / 2, top, siderealText);
    return strip;
}
