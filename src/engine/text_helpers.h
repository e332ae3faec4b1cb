// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/date_time.h"

// The en dash that marks a negative value in the panels (UTF-8).
inline constexpr const char* NegativeSign = "\u2013";

// A value split for display into sign, units (hours or degrees), minutes and seconds.
struct TSexagesimal {
    std::string Sign;    // two blanks for zero or positive, NegativeSign when negative
    std::string Units;   // at least two digits
    std::string Minutes; // two digits
    std::string Seconds; // two digits
};

// A value split into sign, units (hours or degrees), minutes and seconds as numbers, by the
// rule HoursToSexagesimal states: what its texts show.
struct TSexagesimalParts {
    bool Negative = false;
    long long Units = 0;
    long long Minutes = 0;
    long long Seconds = 0;
};
[[nodiscard]] TSexagesimalParts SplitSexagesimal(double value, int unitsWrap = 0);

// Splits hours or degrees into texts. The seconds are truncated after adding one second,
// as the panels have always shown them. A seconds value of 60 carries into the minutes and
// 60 minutes carry into the units; when unitsWrap is non-zero (24 for right ascension) the
// units wrap to 0 on reaching it.
[[nodiscard]] TSexagesimal HoursToSexagesimal(double value, int unitsWrap = 0);

// A right ascension in degrees, any turn, as hours, minutes and seconds, wrapped at 24 h.
[[nodiscard]] TSexagesimal RightAscensionText(double raDeg);

// "HH:MM:SS  DD Month YYYY", the month's full regional name, at most 60 characters.
[[nodiscard]] std::string DateTimeText(const TDateRec& date);

// The date of DateTimeText: "DD Month YYYY".
[[nodiscard]] std::string LongDateText(const TDateRec& date);

// DateTimeText without the seconds: "HH:MM  DD Month YYYY".
[[nodiscard]] std::string DateTimeTextNoSeconds(const TDateRec& date);

// The same text appended to text, for long listings that reuse one string.
void AppendDateTimeTextNoSeconds(std::string& text, const TDateRec& date);

// Key filter of the numeric entry fields. Mode 0 takes digits, backspace and carriage
// return; mode 1 also '.' and '-'. A refused key becomes '\0'; other modes change nothing.
char NumericKeyFilter(char& key, int mode);

// The first maxChars characters (code points) of a UTF-8 text; a character is never split.
[[nodiscard]] std::string Utf8Prefix(std::string_view text, int maxChars);

// A number in the shortest general decimal form, 15 significant digits at most, no trailing
// zeros ("2451544.5", "92.76").
[[nodiscard]] std::string GeneralNumberText(double value);

// A number of at least two digits: "07", "42", "123".
[[nodiscard]] std::string TwoDigits(long long n);

// Left-pads with zeros to the width; a text longer than the width gives "".
[[nodiscard]] std::string ZeroPad(const std::string& text, int width);

struct TRgb {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
    friend constexpr bool operator==(const TRgb&, const TRgb&) = default;
};

// Pale yellow, the colour of computed values on the dark panels.
[[nodiscard]] constexpr TRgb PanelTextColour() {
    return {255, 255, 176};
}
