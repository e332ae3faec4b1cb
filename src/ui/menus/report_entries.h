// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

// The report menu's entries from the top, as its picture shows them: the menu names them to
// screen readers, and the art generator draws the picture, from this one list.
inline constexpr std::array<const char*, 10> ReportEntryNames = {
    "Lunar Visibility",
    "Daily View",
    "Find Lunar Eclipses",
    "Display Phases for Month",
    "Lunar Features Database",
    "Lunar Features Sunrise/Sunset Times",
    "Equinox and Solstice Information",
    "Easter Sunday",
    "Tonight on the Terminator",
    "Export to calendar…"};
