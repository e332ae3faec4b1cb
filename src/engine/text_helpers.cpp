#include "engine/text_helpers.h"

#include <cmath>

#include "engine/regional_names.h"

std::string TwoDigits(long long n) {
    return (n >= 0 && n < 10 ? "0" : "") + std::to_string(n);
}

TSexagesimalParts SplitSexagesimal(double value, int unitsWrap) {
    TSexagesimalParts out;
    if (!std::isfinite(value)) value = 0.0;
    if (value < 0) {
        out.Negative = true;
        value = -value;
    }
    out.Units = static_cast<long long>(std::trunc(value));
    const double m = (value - static_cast<double>(out.Units)) * 60.0;
    out.Minutes = static_cast<long long>(std::trunc(m));
    out.Seconds = static_cast<long long>(std::trunc((m - out.Minutes) * 60.0 + 1.0));
    if (out.Seconds >= 60) {
        out.Seconds = 0;
        ++out.Minutes;
    }
    if (out.Minutes >= 60) {
        out.Minutes = 0;
        ++out.Units;
    }
    if (unitsWrap > 0 && out.Units >= unitsWrap) out.Units %= unitsWrap;
    return out;
}

TSexagesimal HoursToSexagesimal(double value, int unitsWrap) {
    const TSexagesimalParts parts = SplitSexagesimal(value, unitsWrap);
    TSexagesimal out;
    out.Sign = parts.Negative ? NegativeSign : "  ";
    out.Units = TwoDigits(parts.Units).substr(0, 3);
    out.Minutes = TwoDigits(parts.Minutes);
    out.Seconds = TwoDigits(parts.Seconds);
    return out;
}

std::string Utf8Prefix(const std::string& text, int maxChars) {
    size_t end = 0;
    for (int count = 0; end < text.size() && count < maxChars; ++count) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            ++end;
    }
    return text.substr(0, end);
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
