// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/reports/aid_chart.h"

#include <cmath>

#include <QPainter>

#include "engine/date_time.h"
#include "ui/common/fonts.h"
#include "ui/common/look.h"
#include "ui/common/page_frame.h"
#include "ui/common/panels_draw.h"

namespace {

constexpr int NoonMinute = 720;

int R(double v) {
    return static_cast<int>(std::lround(v));
}

int RowTop(const TChartParams& p, int row) {
    return p.Top + row * p.RowHeight;
}

const QColor& PassColour(const TChartParams& p, int pass, bool allDay) {
    switch (pass) {
    case SunPassAstronomical:
        return p.Astronomical;
    case SunPassNautical:
        return p.Nautical;
    case SunPassCivil:
        return allDay ? p.AllDayCivil : p.Civil;
    default:
        return p.Daylight;
    }
}

// The gap under a Moon bar: a full Moon fills three quarters of the row, and any Moon above
// 1 % shows at least a fifth of it.
int BarGap(int rowHeight, int illumination) {
    int gap = rowHeight - R(rowHeight * 0.75 * illumination / 100.0);
    if (gap > R(0.8 * rowHeight) && illumination > 1) gap = R(0.8 * rowHeight);
    return gap;
}

void FillPieces(QPainter& p, int left, const TChartParams& params, int day, int rows,
                const std::vector<TAidStretch>& stretches, TAidView view, int bottomGap,
                const QColor& colour) {
    for (const TAidStretch& s : stretches)
        for (const TChartPiece& piece : StretchPieces(left, params, day, s, view)) {
            if (piece.Row >= rows) continue;
            const int top = RowTop(params, piece.Row);
            const int height = params.RowHeight - bottomGap;
            if (height > 0 && piece.X1 > piece.X0)
                p.fillRect(QRect(piece.X0, top, piece.X1 - piece.X0, height), colour);
        }
}

void DrawDayLines(QPainter& p, const TChartParams& params, const TAidMonth& month) {
    const int days = int(month.Days.size());
    p.setPen(QPen(params.Grid, params.PenWidth));
    for (int n = 1; n <= days; ++n) {
        const int y = RowTop(params, n);
        p.drawLine(1, y, params.Width - 1, y);
    }
    p.setPen(params.Font);
    for (int n = 1; n <= days; ++n)
        DrawTextAt(p, params.TextInset, RowTop(params, n - 1),
                   QString::number(month.Days[size_t(n - 1)].Day));
}

void DrawGrid(QPainter& p, int left, const TChartParams& params, int bottom, TAidView view,
              bool grid) {
    p.setPen(QPen(params.Grid, params.PenWidth));
    if (grid) {
        for (int i = 0; i <= 24; ++i) {
            const int x = left + R(i * (params.Width - left) / 24.0);
            p.drawLine(x, params.Top, x, bottom);
        }
        p.drawLine(static_cast<int>(view) * left, params.Top, params.Width, params.Top);
        p.drawLine(left, bottom, params.Width, bottom);
    }
    const int mid = params.Half - 1 + left;
    p.drawLine(mid, params.Top, mid, bottom);
}

} // namespace

TChartParams ScreenChartParams() {
    return TChartParams{};
}

TChartParams PaperChartParams(const TPageMetrics& page, bool colourPrinter) {
    TChartParams p;
    p.Width = FrameWidth(page);
    p.Left = page.Px(PaperLeftMarginAt300);
    p.TextInset = page.Px(12);
    p.Height = page.PH - page.Hh - page.Fh;
    p.RowHeight = p.Height / 33;
    p.Scale = (p.Width - p.Left) / 1440.0;
    p.Top = page.Hh;
    p.TopExtra = p.RowHeight;
    p.FontSize = 9;
    p.PenWidth = page.Px(2);
    if (!colourPrinter) {
        p.Daylight = QColor(185, 185, 185);
        p.AllDayCivil = QColor(165, 165, 165);
        p.Civil = QColor(140, 140, 140);
        p.Nautical = QColor(105, 105, 105);
        p.Astronomical = QColor(55, 55, 55);
    }
    p.Background = QColor(25, 25, 25);
    p.Font = Qt::white;
    p.Grid = Qt::white;
    return p;
}

int ChartRows(int days, TAidView view) {
    return days + static_cast<int>(view);
}

int ChartX(int leftMargin, const TChartParams& params, int minute) {
    return leftMargin + R(minute * params.Scale);
}

std::vector<TChartPiece> StretchPieces(int left, const TChartParams& params, int day,
                                       const TAidStretch& s, TAidView view) {
    std::vector<TChartPiece> pieces;
    if (view == TAidView::Day) {
        pieces.push_back({day - 1, ChartX(left, params, s.From), ChartX(left, params, s.To)});
        return pieces;
    }
    if (s.From < NoonMinute)
        pieces.push_back({day - 1, ChartX(left, params, s.From) + params.Half,
                          ChartX(left, params, std::min(s.To, NoonMinute)) + params.Half});
    if (s.To > NoonMinute)
        pieces.push_back({day, ChartX(left, params, std::max(s.From, NoonMinute)) - params.Half,
                          ChartX(left, params, s.To) - params.Half});
    return pieces;
}

void DrawGraphic(QPainter& p, const TDateRec& /*date*/, TChartParams& params,
                 const TAidMonth& month, TAidView view, bool grid, double fontScale) {
    p.save();
    const int left = params.Left;
    params.Half = (params.Width - left) / 2;
    p.fillRect(QRect(0, params.Top, params.Width, params.Height), params.Background);
    params.Top += params.TopExtra;
    const int days = int(month.Days.size()); // the rows: the days that exist
    const int rows = ChartRows(days, view);
    for (int d = 1; d <= days && d <= int(month.Days.size()); ++d) {
        const TAidDay& day = month.Days[size_t(d - 1)];
        for (int pass = 0; pass < SunPassCount; ++pass)
            FillPieces(p, left, params, d, rows, day.Sun[size_t(pass)], view, 0,
                       PassColour(params, pass, day.SunAllDay[size_t(pass)]));
    }
    for (int d = 1; d <= days && d <= int(month.Days.size()); ++d) {
        const TAidDay& day = month.Days[size_t(d - 1)];
        FillPieces(p, left, params, d, rows, day.Moon, view,
                   BarGap(params.RowHeight, day.Illumination), PanelText);
    }
    QFont font(ArialFamily);
    font.setPointSize(ScaledPoints(fontScale, params.FontSize));
    p.setFont(font);
    p.setRenderHint(QPainter::TextAntialiasing);
    DrawDayLines(p, params, month);
    DrawGrid(p, left, params, RowTop(params, rows), view, grid);
    params.Top -= params.TopExtra;
    p.restore();
}

void DisplayHours(QPainter& p, const TChartParams& params, const QColor& colour, int y, int chartX,
                  TAidView view) {
    p.save();
    p.setPen(colour);
    p.setBrush(Qt::NoBrush);
    const int left = params.Left;
    for (int i = 0; i <= 24; ++i) {
        const QString label = QString::number((i + 12 * static_cast<int>(view)) % 24).left(3);
        const int right = chartX + left + R(i * (params.Width - left) / 24.0);
        DrawTextAt(p, right - p.fontMetrics().horizontalAdvance(label), y, label);
    }
    p.restore();
}
