#include "engine/text_helpers.h"

#include <cmath>

#include "engine/regional_names.h"

namespace {

std::string TwoDigits(long long n) {
    return (n >= 0 && n < 10 ? "0" : "") + std::to_string(n);
}

} // namespace

TSexagesimal HoursToSexagesimal(double value, int unitsWrap) {
    TSexagesimal out;
    out.Sign = "  ";
    if (!std::isfinite(value)) value = 0.0;
    if (value < 0) {
        out.Sign = NegativeSign;
        value = -value;
    }
    long long units = static_cast<long long>(std::trunc(value));
    const double m = (value - static_cast<double>(units)) * 60.0;
    long long minutes = static_cast<long long>(std::trunc(m));
    long long seconds = static_cast<long long>(std::trunc((m - minutes) * 60.0 + 1.0));
    if (seconds >= 60) {
        seconds = 0;
        ++minutes;
    }
    if (minutes >= 60) {
        minutes = 0;
        ++units;
    }
    if (unitsWrap > 0 && units >= unitsWrap) units %= unitsWrap;
    out.Units = TwoDigits(units).substr(0, 3);
    out.Minutes = TwoDigits(minutes);
    out.Seconds = TwoDigits(seconds);
    return out;
}

std::string DateTimeText(const TDateRec& date) {
    std::string text = TwoDigits(date.Hour) + ":" + TwoDigits(date.Minute) + ":" +
                       TwoDigits(date.Second) + "  " + TwoDigits(date.Day) + " " +
                       LongMonthName(date.Month) + " " + std::to_string(date.Year);
    return text.substr(0, 60);
}

std::string DateTimeTextNoSeconds(const TDateRec& date) {
    std::string text = DateTimeText(date);
    return text.erase(5, 3);
}

char NumericKeyFilter(char& key, int mode) {
    const bool digit = key >= '0' && key <= '9';
    const bool control = key == '\b' || key == '\r';
    if (mode == 0 && !(digit || control)) key = '\0';
    if (mode == 1 && !(digit || control || key == '.' || key == '-')) key = '\0';
    return key;
}

std::string ZeroPad(const std::string& text, int width) {
    const std::string cut = text.substr(0, 6);
    const int length = static_cast<int>(cut.size());
    if (width < length) return "";
    return std::string(static_cast<size_t>(width - length), '0') + cut;
}
