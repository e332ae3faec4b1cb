// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/reports/daily_graph.h"

#include <cmath>

#include <QPainter>

#include "ui/common/fonts.h"
#include "ui/common/look.h"
#include "ui/common/panels_draw.h"

namespace {

const char* const MarkerNames[4] = {"South", "West", "North", "East"};
const char* const MarkerAzimuths[4] = {"180", "270", "0", "90"};

// Round to nearest, halves away from zero as std::lround does.
int R(double v) {
    return static_cast<int>(std::lround(v));
}

QPen LinePen(const QColor& colour, double width, Qt::PenStyle style) {
    QPen pen(colour, width, style);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

void DrawRight(QPainter& p, int right, int y, const QString& text) {
    DrawTextAt(p, right - p.fontMetrics().horizontalAdvance(text), y, text);
}

void DrawFrame(QPainter& p, const TDailyInk& ink, double q, int top, int width) {
    p.setPen(LinePen(ink.Horizon, ink.HorizonWidth * q, Qt::SolidLine));
    p.drawLine(0, top + R(DailyHorizonY * q), width, top + R(DailyHorizonY * q));
    for (int a = 10; a <= 90; a += 10) {
        const int y = top + R((DailyHorizonY - DailyPixelsPerDegree * a) * q);
        const bool major = a % 30 == 0;
        p.setPen(major ? LinePen(ink.MajorLine, ink.MajorWidth * ink.PenUnit, Qt::DashLine)
                       : LinePen(ink.MinorLine, ink.PenUnit, Qt::DotLine));
        p.drawLine(R(DailyMidnightX * q), y, width, y);
        if (!major) continue;
        p.setPen(ink.Labels);
        DrawTextAt(p, R(5 * q), y - p.fontMetrics().height() / 2, QStringLiteral("%1°").arg(a));
    }
    for (int h = 0; h <= 24; ++h) {
        const int x = R((24 * h + DailyMidnightX) * q);
        const bool major = h % 6 == 0;
        p.setPen(major ? LinePen(ink.MajorLine, ink.MajorWidth * ink.PenUnit, Qt::DashLine)
                       : LinePen(ink.MinorLine, ink.PenUnit, Qt::DotLine));
        p.drawLine(x, top + R(158 * q), x, top + R(14 * q));
        p.setPen(ink.Labels);
        DrawRight(p, x, top + R(162 * q), QString::number(h));
    }
}

// Where a marker's name ends and its azimuth starts: on either side of its line, or both on
// one side where the other would run past an edge of the graph.
struct TMarkerLabels {
    int NameRight = 0;
    int AzimuthLeft = 0;
};

TMarkerLabels PlaceMarkerLabels(int x, int gap, int nameWidth, int azimuthWidth, int width) {
    if (x + gap + azimuthWidth > width) return {x - 2 * gap - azimuthWidth, x - gap - azimuthWidth};
    if (x - gap - nameWidth < 0) return {x + gap + nameWidth, x + 2 * gap + nameWidth};
    return {x - gap, x + gap};
}

void DrawMarkers(QPainter& p, const TDailySamples& s, const TDailyInk& ink, double q, int top,
                 int width) {
    for (int k = 0; k < 4; ++k) {
        const int i = s.MarkerMinute[size_t(k)];
        if (i < 0) continue;
        const int x = R(DailyMinuteX(i) * q);
        p.setPen(LinePen(ink.MarkerLine, ink.PenUnit, Qt::DashLine));
        p.drawLine(x, top, x, top + R(158 * q));
        const QString name = QString::fromLatin1(MarkerNames[k]);
        const QString azimuth = QString::fromLatin1(MarkerAzimuths[k]) + QChar(0x00B0);
        const QFontMetrics metrics = p.fontMetrics();
        const TMarkerLabels at = PlaceMarkerLabels(x, R(5 * q), metrics.horizontalAdvance(name),
                                                   metrics.horizontalAdvance(azimuth), width);
        p.setPen(ink.MarkerName);
        DrawRight(p, at.NameRight, top, name);
        p.setPen(ink.MarkerAzimuth);
        DrawTextAt(p, at.AzimuthLeft, top, azimuth);
    }
}

void DrawDots(QPainter& p, const TDailySamples& s, const TDailyInk& ink, double q, int top) {
    p.setPen(LinePen(ink.DotPen, ink.PenUnit, Qt::SolidLine));
    p.setBrush(ink.DotFill);
    for (int i = 0; i < DailySampleCount; i += 30) {
        const double alt = s.AltitudeDeg[size_t(i)];
        if (!(alt > 0.0)) continue;
        const double x = DailyPixelsPerMinute * i + DailyMidnightX;
        const int y = DailyHorizonY - R(DailyPixelsPerDegree * alt);
        constexpr int r = DailyDotRadius;
        p.drawEllipse(QRect(QPoint(R((x - r) * q), top + R((y - r) * q)),
                            QPoint(R((x + r) * q), top + R((y + r) * q))));
    }
    p.setBrush(Qt::NoBrush);
}

} // namespace

TDailyInk TDailyInk::Screen() {
    TDailyInk ink;
    ink.Ground = Qt::black;
    ink.Horizon = QColor(255, 255, 0);
    ink.MajorLine = QColor(160, 160, 160);
    ink.MinorLine = QColor(92, 92, 92);
    ink.Labels = Qt::white;
    ink.MarkerLine = Qt::white;
    ink.MarkerName = PanelText;
    ink.MarkerAzimuth = Qt::white;
    ink.DotPen = PanelText;
    ink.DotFill = PanelText;
    return ink;
}

TDailyInk TDailyInk::Paper() {
    TDailyInk ink;
    ink.Horizon = Qt::black;
    ink.MajorLine = Qt::black;
    ink.MinorLine = Qt::black;
    ink.Labels = Qt::black;
    ink.MarkerLine = QColor(225, 225, 225);
    ink.MarkerName = Qt::black;
    ink.MarkerAzimuth = Qt::black;
    ink.DotPen = Qt::black;
    ink.DotFill = QColor(200, 200, 200);
    ink.MajorWidth = 2;
    return ink;
}

int DailyMinuteX(int minute) {
    return R(DailyPixelsPerMinute * minute) + DailyMidnightX;
}

QString DailyAngleText(double degrees) {
    return QString::number(degrees, 'f', 2) + QChar(0x00B0);
}

QString DailyHourText(int hour) {
    return QStringLiteral("%1:00:00").arg(hour, 2, 10, QChar('0'));
}

void DrawDailyGraph(QPainter& p, const TDailySamples& samples, const TDailyInk& ink, double q,
                    int top, int width, int fontPoints) {
    p.save();
    if (ink.Ground.isValid()) p.fillRect(QRect(0, top, width, R(DailyGraphHeight * q)), ink.Ground);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font(ArialFamily);
    font.setPointSize(fontPoints);
    p.setFont(font);
    DrawFrame(p, ink, q, top, width);
    DrawMarkers(p, samples, ink, q, top, width);
    p.setRenderHint(QPainter::Antialiasing);
    DrawDots(p, samples, ink, q, top);
    p.restore();
}

void DrawDailyTable(QPainter& p, const TDailySamples& samples, int fontPoints) {
    p.save();
    p.fillRect(QRect(0, 0, DailyGraphWidth, DailyTableHeight), Qt::black);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font(ArialFamily);
    font.setPointSize(fontPoints);
    p.setFont(font);
    p.setPen(Aqua);
    for (int i = 0; i < DailySampleCount - 1; i += 60) {
        const int c = i / 480;
        const int y = (i / 60) * 16 - c * 128;
        const int m = 210 * c;
        DrawTextAt(p, m + 20, y, DailyHourText(i / 60));
        DrawRight(p, m + 115, y, DailyAngleText(samples.AzimuthDeg[size_t(i)]));
        DrawRight(p, m + 162, y, DailyAngleText(samples.AltitudeDeg[size_t(i)]));
    }
    p.restore();
}
