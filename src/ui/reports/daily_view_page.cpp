// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/reports/daily_view_page.h"

#include <cmath>

#include <QPainter>

#include "engine/date_time.h"
#include "engine/regional_names.h"
#include "settings/settings.h"
#include "ui/common/fonts.h"
#include "ui/common/look.h"
#include "ui/common/page_frame.h"
#include "ui/common/panels_draw.h"
#include "ui/reports/daily_graph.h"

namespace {

int R(double v) {
    return static_cast<int>(std::lround(v));
}

void DrawRight(QPainter& p, int right, int y, const QString& text) {
    DrawTextAt(p, right - p.fontMetrics().horizontalAdvance(text), y, text);
}

void DrawPrintedTable(QPainter& p, const TDailySamples& s, double q, int top) {
    p.setPen(Qt::black);
    for (int c = 0; c < 3; ++c) {
        p.setFont(PageFont(ArialFamily, 9, true));
        const int y = top + R(284 * q);
        DrawTextAt(p, R((212 * c + 20) * q), y, QStringLiteral("   Time"));
        DrawRight(p, R((212 * c + 110) * q), y, QStringLiteral("Azimuth"));
        DrawRight(p, R((212 * c + 152) * q), y, QStringLiteral("Altitude"));
    }
    p.setFont(PageFont(ArialFamily, 9));
    for (int i = 0; i < DailySampleCount - 1; i += 60) {
        const int c = i / 480;
        const int y = top + R(((i / 60) * 16 - c * 128 + 300) * q);
        DrawTextAt(p, R((212 * c + 20) * q), y, DailyHourText(i / 60));
        DrawRight(p, R((212 * c + 110) * q), y, DailyAngleText(s.AzimuthDeg[size_t(i)]));
        DrawRight(p, R((212 * c + 152) * q), y, DailyAngleText(s.AltitudeDeg[size_t(i)]));
    }
}

} // namespace

QString DailyViewTitle(int year, int month, int day) {
    return QStringLiteral("Daily View: %1 %2 %3").arg(day).arg(Q(LongMonthName(month))).arg(year);
}

void DrawDailyViewPage(QPainter& p, TPageMetrics& page, const TSettings& settings, int year,
                       int month, int day, const TDailySamples& samples) {
    p.save();
    const double dayStart = JulianDayOf(year, month, day);
    DrawTitledPageHeader(p, page, settings, DailyViewTitle(year, month, day), dayStart,
                         dayStart + 1.0);
    DrawPageFooter(p, page);
    // The graph with its last hour's label and dots, and a screen pixel's margin each side,
    // across the frame.
    const int width = FrameWidth(page);
    const double q = width / double(DailyGraphExtent + 2);
    const int top = page.Px(DailyPageGraphTopAt300);
    TDailyInk ink = TDailyInk::Paper();
    ink.PenUnit = page.Px(1);
    p.translate(R(q), 0);
    DrawDailyGraph(p, samples, ink, q, top, R(DailyGraphExtent * q), 8);
    DrawPrintedTable(p, samples, q, top);
    p.restore();
}
