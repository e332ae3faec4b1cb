#include "ui/common/calendar_layout.h"

#include <array>

#include "engine/date_time.h"

TMonthLayout MonthLayout(int month, int year, int dayOrder) {
    TMonthLayout layout;
    layout.FirstWeekday = DayOfWeek(JulianDay(MakeDate(year, month, 1)));
    layout.LeadingBlanks = (layout.FirstWeekday - dayOrder % 7 + 7) % 7;
    layout.MonthDays = DaysInMonth(month, year);
    return layout;
}

std::string CellCaption(int cell, const TMonthLayout& layout) {
    if (cell < layout.LeadingBlanks || cell >= layout.LeadingBlanks + layout.MonthDays) return " ";
    return std::to_string(cell - layout.LeadingBlanks + 1);
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
