// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/calendar_layout.h"

#include <array>

#include "engine/date_time.h"

TMonthLayout MonthLayout(int month, int year, int dayOrder) {
    TMonthLayout layout;
    layout.FirstWeekday = DayOfWeek(JulianDayOf(year, month, 1));
    layout.LeadingBlanks = (layout.FirstWeekday - dayOrder % 7 + 7) % 7;
    const int last = DaysInMonth(month, year);
    layout.MonthDays = 0;
    for (int day = 1; day <= last; ++day) {
        if (IsValidDate(year, month, day)) {
            ++layout.MonthDays;
        } else {
            if (layout.GapDays == 0) layout.GapAfter = day - 1;
            ++layout.GapDays;
        }
    }
    return layout;
}

int DayOfCell(int cell, const TMonthLayout& layout) {
    const int index = cell - layout.LeadingBlanks; // 0 for the 1st
    if (index < 0 || index >= layout.MonthDays || cell >= CalendarCells) return 0;
    const int day = index + 1;
    return layout.GapDays > 0 && day > layout.GapAfter ? day + layout.GapDays : day;
}

int CellOfDay(int day, const TMonthLayout& layout) {
    int index = day - 1;
    if (layout.GapDays > 0 && day > layout.GapAfter) {
        if (day <= layout.GapAfter + layout.GapDays) return -1;
        index -= layout.GapDays;
    }
    if (day < 1 || index >= layout.MonthDays) return -1;
    const int cell = layout.LeadingBlanks + index;
    return cell < CalendarCells ? cell : -1;
}

std::string CellCaption(int cell, const TMonthLayout& layout) {
    const int day = DayOfCell(cell, layout);
    return day > 0 ? std::to_string(day) : " ";
}

const char* CalendarMonthName(int month) {
    static constexpr std::array<const char*, 12> names = {
        "January", "February", "March",     "April",   "May",      "June",
        "July",    "August",   "September", "October", "November", "December"};
    if (month < 1 || month > 12) return "";
    return names[static_cast<size_t>(month - 1)];
}

std::string YearEditKey(const std::string& caption, char key) {
    if (key == '\b') return caption.empty() ? caption : caption.substr(0, caption.size() - 1);
    if (key >= '0' && key <= '9' && caption.size() < 4) return caption + key;
    return caption;
}

bool ParseYear(const std::string& caption, int& year) {
    if (caption.empty() || caption.size() > 4) return false;
    int value = 0;
    for (char c : caption) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > 9999) return false;
    year = value;
    return true;
}
