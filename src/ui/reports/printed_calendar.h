// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The month calendar on one landscape page: page header with the month and the observer's
// place, the weekday names, a cell a day with the Moon's phase drawn for that day and the
// Moon's and the Sun's times as the print options choose, the principal phases with their
// icons and a legend, the page footer.
//
//   PrintCalendar(this, state, 8, 2023);

#include "ui/common/printing.h"

class QPainter;
class QWidget;
class TProgramState;
struct TObserver;
struct TSettings;

// The whole page for the month; what it holds follows the settings' print choices.
void DrawCalendarPage(QPainter& painter, TPageMetrics& page, const TSettings& settings,
                      const TObserver& observer, int month, int year);

// The page through the printing path, named "Tidewell calendar <Month> <Year>".
TPrintOutcome PrintCalendar(QWidget* owner, const TProgramState& state, int month, int year);

// The Moon as a day cell draws it: the illuminated percentage and whether it waxes, both at
// the observer's local midnight that begins the day (converted to universal time).
struct TDayMoon {
    int Illumination = 0;
    bool Waxing = true;
};
[[nodiscard]] TDayMoon MoonAtLocalMidnight(int year, int month, int day, const TObserver& observer);
