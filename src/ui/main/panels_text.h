// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

#include "engine/date_time.h"

// The Moon's age as the three fields of the age row: "05d", "13h", "00m".
struct TMoonAgeText {
    std::string Days;
    std::string Hours;
    std::string Minutes;
};
[[nodiscard]] TMoonAgeText MoonAgeTexts(double ageDays);
