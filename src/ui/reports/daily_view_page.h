// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The daily view on one portrait page: a frame, "Daily View: 14 March 2024" with the
// observer's place, the graph in black on white under it and the hourly table below, the
// shared footer. The page shows the same day and the same samples as the window.

#include "ui/common/printing.h"
#include "engine/daily_samples.h"

class QPainter;
struct TSettings;

// Where the graph starts on the page, in pixels of a 300 dpi page.
inline constexpr int DailyPageGraphTopAt300 = 700;

// "Daily View: 14 March 2024".
[[nodiscard]] QString DailyViewTitle(int year, int month, int day);

void DrawDailyViewPage(QPainter& painter, TPageMetrics& page, const TSettings& settings, int year,
                       int month, int day, const TDailySamples& samples);
