// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The observing aid's chart: a row a day, the time of day running left to right, shaded by
// the Sun's height and overlaid with a bar while the Moon is up (its height grows with the
// illuminated fraction). One routine draws it on the screen and on paper from its parameters.
//
//   TChartParams params = ScreenChartParams();
//   DrawGraphic(painter, date, params, month, TAidView::Night, grid, 1.0);

#include <QColor>

#include "engine/date_time.h"
#include "ui/common/printing.h"
#include "engine/aid_bands.h"

class QPainter;

// Day view: midnight to midnight. Night view: noon to noon with midnight in the middle, so a
// row holds the evening before its day and that day's morning.
enum class TAidView { Day = 0, Night = 1 };

inline constexpr int ScreenLeftMargin = 20;
// The paper's margin left of the chart, where the day numbers stand, in pixels of a 300 dpi
// page.
inline constexpr int PaperLeftMarginAt300 = 120;

struct TChartParams {
    int Width = 500;
    int Left = ScreenLeftMargin; // the margin of day numbers, left of the first hour line
    int TextInset = 3;           // the day numbers' distance from the chart's left edge
    int Height = 384;
    int Half = 0; // set by DrawGraphic: (Width − left margin) div 2
    int RowHeight = 12;
    double Scale = 480.0 / 1440.0; // pixels per minute
    int Top = 0;
    int TopExtra = 0;
    int FontSize = 8; // points
    int PenWidth = 1;
    QColor Daylight{170, 170, 233};
    QColor AllDayCivil{135, 135, 192};
    QColor Civil{100, 100, 150};
    QColor Nautical{75, 75, 115};
    QColor Astronomical{50, 50, 90};
    QColor Background{0, 0, 0};
    QColor Font{0, 255, 255};
    QColor Grid{128, 128, 128};
};

[[nodiscard]] TChartParams ScreenChartParams();
// The page's parameters: the chart across the frame under the page header, its margin, pens
// and insets in the printer's pixels; colour printers take the screen's Sun colours, others
// greys.
[[nodiscard]] TChartParams PaperChartParams(const TPageMetrics& page, bool colourPrinter);

// The rows of the month in the view: one a day, and one more in night view for the evening
// of the last day.
[[nodiscard]] int ChartRows(int days, TAidView view);

// x of a time of day (minutes) before the night view's shift: left + Round(t × scale).
[[nodiscard]] int ChartX(int leftMargin, const TChartParams& params, int minute);

// The rectangles of a stretch of day d (1-based) in the view: one in day view; in night view
// the morning part in the day's own row (shifted right by half) and the afternoon and evening
// part in the next row (shifted left by half).
struct TChartPiece {
    int Row = 0;
    int X0 = 0;
    int X1 = 0;
};
[[nodiscard]] std::vector<TChartPiece> StretchPieces(int leftMargin, const TChartParams& params,
                                                     int day, const TAidStretch& stretch,
                                                     TAidView view);

// The whole chart: background, Sun shading, Moon bars, day numbers and lines, grid and
// midline. fontScale: the screen's font scale (1 on paper).
void DrawGraphic(QPainter& painter, const TDateRec& date, TChartParams& params,
                 const TAidMonth& month, TAidView view, bool grid, double fontScale);

// The hour labels over the chart, each ending at its hour line: 0 … 24 in day view,
// 12 … 23, 0 … 12 in night view. chartX: where the chart's left edge is on the painter.
void DisplayHours(QPainter& painter, const TChartParams& params, const QColor& colour, int y,
                  int chartX, TAidView view);
