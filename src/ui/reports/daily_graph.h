// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The daily view's graph and hourly table, drawn from the day's samples on the screen
// (q = 1) or on paper (q printer units per screen pixel, a vertical offset for the page
// header above it).
//
//   DrawDailyGraph(painter, samples, TDailyInk::Screen(), 1.0, 0, DailyGraphWidth, 8);
//   DrawDailyTable(painter, samples, 8);

#include <QColor>

#include "engine/daily_samples.h"

class QPainter;

// The graph's scales, in screen pixels: 24 per hour from x = 24 at local midnight, 1.6 per
// degree of altitude above the horizon at y = 160.
inline constexpr double DailyPixelsPerMinute = 0.4;
inline constexpr int DailyMidnightX = 24;
inline constexpr double DailyPixelsPerDegree = 1.6;
inline constexpr int DailyHorizonY = 160;
inline constexpr int DailyGraphWidth = 599;
// The half-hourly dots' radius, and how far right the graph draws: the last hour's line at
// the next midnight, with the dots on it.
inline constexpr int DailyDotRadius = 5;
inline constexpr int DailyGraphExtent = DailyMidnightX + 24 * 24 + DailyDotRadius + 1;
inline constexpr int DailyGraphHeight = 175;
inline constexpr int DailyTableHeight = 125;

struct TDailyInk {
    QColor Ground; // behind everything; invalid on paper (left as it is)
    QColor Horizon;
    QColor MajorLine; // every 30 degrees, every 6 hours
    QColor MinorLine;
    QColor Labels;
    QColor MarkerLine;
    QColor MarkerName;
    QColor MarkerAzimuth;
    QColor DotPen;
    QColor DotFill;
    int MajorWidth = 1;   // pen widths in PenUnits
    int HorizonWidth = 2; // in screen pixels, scaled with the graph
    double PenUnit = 1.0; // device pixels of a pen width of 1
    [[nodiscard]] static TDailyInk Screen();
    [[nodiscard]] static TDailyInk Paper();
};

// The x of minute i of the day, screen pixels.
[[nodiscard]] int DailyMinuteX(int minute);

// Horizon, altitude and hour lines with their labels, the cardinal markers and the
// half-hourly dots of a Moon above the horizon. fontPoints: the labels' size in points.
// width: of the graph in the painter's units; a marker's name and azimuth stay within it.
void DrawDailyGraph(QPainter& painter, const TDailySamples& samples, const TDailyInk& ink, double q,
                    int top, int width, int fontPoints);

// The hourly table on the screen: three columns of eight hours, time, azimuth and altitude.
void DrawDailyTable(QPainter& painter, const TDailySamples& samples, int fontPoints);

// "123.45°": the fixed form of the table's angles.
[[nodiscard]] QString DailyAngleText(double degrees);
// "hh:00:00" for the hour.
[[nodiscard]] QString DailyHourText(int hour);
