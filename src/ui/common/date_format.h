// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Dates in the user's DateFormat setting. The stored patterns are the old "dd/mm/yyyy"
// kind, where "mm" is the month; Qt's patterns write the month "MM" (its "mm" is minutes),
// so the stored pattern is mapped letter by letter, never handed to Qt as it stands.
//
//   FormatDate(MakeDate(2026, 3, 7), "mm/dd/yyyy")   // "03/07/2026"

#include <string>

#include <QString>

#include "engine/date_time.h"

// The Qt pattern of a stored one: d day, m month, y year (either case); every other
// character is kept as it stands. A blank pattern is "dd/mm/yyyy".
[[nodiscard]] QString QtDatePattern(const std::string& dateFormat);

// Day, Month and Year of the record in the stored pattern.
[[nodiscard]] QString FormatDate(const TDateRec& date, const std::string& dateFormat);
