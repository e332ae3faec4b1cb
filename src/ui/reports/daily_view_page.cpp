#include "ui/reports/daily_view_page.h"

#include <cmath>

#include <QPainter>

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

// The frame and the title with the place under it; sets the footer's height.
void PrintDailyViewTitle(QPainter& p, TPageMetrics& page, const TSettings& settings, int year,
                         int month, int day) {
    p.setFont(PageFont(TimesFamily, 7));
    page.Fh = 2 * p.fontMetrics().height();
    p.setPen(QPen(Qt::black, page.Px(1)));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, (page.PW / 7) * 7, page.PH - page.Fh);
    const QString title = DailyViewTitle(year, month, day);
    p.setFont(PageFont(TimesFamily, 24, true));
    page.Hh = 3 * p.fontMetrics().height();
    DrawTextAt(p, (page.PW - p.fontMetrics().horizontalAdvance(title)) / 2, page.Px(40), title);
    const QString place = LocationLine(settings);
    p.setFont(PageFont(TimesFamily, 14, true));
    DrawTextAt(p, (page.PW - p.fontMetrics().horizontalAdvance(place)) / 2,
               static_cast<int>(std::trunc(4.0 * page.Hh / 7.0)), place);
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
    PrintDailyViewTitle(p, page, settings, year, month, day);
    DrawPageFooter(p, page);
    const double q = page.PW / double(DailyGraphWidth);
    const int top = page.Px(DailyPageGraphTopAt300);
    TDailyInk ink = TDailyInk::Paper();
    ink.PenUnit = page.Px(1);
    DrawDailyGraph(p, samples, ink, q, top, page.PW, 8);
    DrawPrintedTable(p, samples, q, top);
    p.restore();
}
