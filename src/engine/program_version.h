#pragma once

// The program's name and version, once: the about box, the printed pages' footer, the
// settings store's Version value and the calendar files' product identifier all read them.

#include <string_view>

inline constexpr std::string_view ProgramName = "Tidewell";
inline constexpr std::string_view ProgramVersion = "V2.62";
