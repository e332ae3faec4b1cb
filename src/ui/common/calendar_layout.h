// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Where the days of a month fall in the 6 x 7 grid of the main window. The days follow each
// other in the cells without a gap; October 1582 has no 5th..14th, so its 4th is followed by
// its 15th.
struct TMonthLayout {
    int FirstWeekday = 0;  // weekday of the 1st, 0 = Sunday
    int LeadingBlanks = 0; // empty cells before the 1st, 0..6
    int MonthDays = 31;    // cells holding a day: 28..31, 21 for October 1582
    int GapAfter = 0;      // the day after which days are missing, 0 for none
    int GapDays = 0;       // how many are missing there
};

inline constexpr int CalendarRows = 6;
inline constexpr int CalendarColumns = 7;
inline constexpr int CalendarCells = CalendarRows * CalendarColumns;

// Layout of a month for a week that starts on dayOrder (0 = Sunday ... 6 = Saturday).
[[nodiscard]] TMonthLayout MonthLayout(int month, int year, int dayOrder);

// Caption of cell 0..41: the day number, or one blank outside the month.
[[nodiscard]] std::string CellCaption(int cell, const TMonthLayout& layout);

// The day of the month in cell 0..41, or 0 for a cell outside the month.
[[nodiscard]] int DayOfCell(int cell, const TMonthLayout& layout);

// The cell 0..41 that holds a day of the month, or -1 for a day the month does not have.
[[nodiscard]] int CellOfDay(int day, const TMonthLayout& layout);

// The month's English name, the calendar's own table (it does not follow the locale).
[[nodiscard]] const char* CalendarMonthName(int month);

// One key typed into the year editor: Backspace removes the last character, a digit is
// appended while the caption holds fewer than four characters, anything else is ignored.
[[nodiscard]] std::string YearEditKey(const std::string& caption, char key);

// The year of a caption, when it is a whole number 1..9999.
[[nodiscard]] bool ParseYear(const std::string& caption, int& year);
