// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/text_helpers.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "engine/angles.h"
#include "engine/regional_names.h"

namespace {

// Writes n in decimal, with a leading zero when it is a single digit and padded is set;
// returns the end. Room for 20 characters is needed.
char* PutInteger(char* out, long long n, bool padded) {
    if (padded && n >= 0 && n < 10) *out++ = '0';
    return std::to_chars(out, out + 20, n).ptr;
}

// Room for "HH:MM:SS  DD " with five-digit fields, the 60 bytes kept of the month, a blank
// and the 20 that PutInteger asks for the year.
constexpr size_t DateTextRoom = 112;
constexpr size_t DateTextMax = 60;

// "DD Month YYYY", the month's name cut to 60 bytes; returns the end.
char* PutDateText(char* out, const TDateRec& date) {
    out = PutInteger(out, date.Day, true);
    *out++ = ' ';
    const std::string& month = LongMonthName(date.Month);
    const size_t monthBytes = std::min(month.size(), DateTextMax);
    out = std::copy_n(month.data(), monthBytes, out);
    *out++ = ' ';
    return PutInteger(out, date.Year, false);
}

// "HH:MM:SS  DD Month YYYY" cut to 60 bytes, written into a buffer: the date texts of a long
// phase listing are made tens of thousands of times, and a string per field cost a third of
// it. Returns the length.
size_t PutDateTimeText(char (&buffer)[DateTextRoom], const TDateRec& date) {
    char* out = PutInteger(buffer, date.Hour, true);
    *out++ = ':';
    out = PutInteger(out, date.Minute, true);
    *out++ = ':';
    out = PutInteger(out, date.Second, true);
    *out++ = ' ';
    *out++ = ' ';
    out = PutDateText(out, date);
    return std::min(static_cast<size_t>(out - buffer), DateTextMax);
}

} // namespace

std::string GeneralNumberText(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

std::string TwoDigits(long long n) {
    char digits[24];
    return std::string(digits, PutInteger(digits, n, true));
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

TSexagesimal RightAscensionText(double raDeg) {
    return HoursToSexagesimal(Normalize360(raDeg) / 15.0, 24);
}

std::string Utf8Prefix(std::string_view text, int maxChars) {
    size_t end = 0;
    for (int count = 0; end < text.size() && count < maxChars; ++count) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            ++end;
    }
    return std::string(text.substr(0, end));
}

std::string LongDateText(const TDateRec& date) {
    char buffer[DateTextRoom];
    const size_t length = PutDateTimeText(buffer, date);
    // The date after "HH:MM:SS  ", as long as the date-and-time text keeps it.
    constexpr size_t TimeBytes = 10;
    return length > TimeBytes ? std::string(buffer + TimeBytes, length - TimeBytes) : "";
}

std::string DateTimeText(const TDateRec& date) {
    char buffer[DateTextRoom];
    return std::string(buffer, PutDateTimeText(buffer, date));
}

void AppendDateTimeTextNoSeconds(std::string& text, const TDateRec& date) {
    char buffer[DateTextRoom];
    const size_t length = PutDateTimeText(buffer, date);
    // DateTimeText without its characters 5..7 (":SS").
    text.reserve(text.size() + length - 3);
    text.append(buffer, 5);
    text.append(buffer + 8, length - 8);
}

std::string DateTimeTextNoSeconds(const TDateRec& date) {
    std::string text;
    AppendDateTimeTextNoSeconds(text, date);
    return text;
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
