// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Small helpers for the ASCII texts of a time server's reply (no locale, no Qt).

#include <algorithm>
#include <string_view>

inline bool IsReplyBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

inline char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

// Without the blanks at either end.
inline std::string_view TrimmedBlanks(std::string_view text) {
    while (!text.empty() && IsReplyBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsReplyBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The months' English abbreviations, three letters each, January first (C's __DATE__, ctime,
// RFC 2822).
inline constexpr std::string_view MonthAbbreviations = "JanFebMarAprMayJunJulAugSepOctNovDec";
