// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The elapsed part of the lunation in percent: the Moon's age over the length of the
// lunation that holds it.
[[nodiscard]] double LunationPercent(double ageDays, double prevNewMoon, double nextNewMoon);

// The traditional name of the full moon of a month 1..12 ("Wolf" ... "Cold").
[[nodiscard]] const char* TraditionalFullMoonName(int month);

// The phase name the main window shows for a lunation percentage. Each bound is inclusive on
// its upper side. A full moon is "Full (Blue) Moon" when blueMoon is set, else it carries the
// traditional name of the month.
[[nodiscard]] std::string MoonPhaseName(double lunationPercent, int month, bool blueMoon);
