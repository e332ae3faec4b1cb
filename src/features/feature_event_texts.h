// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The shown text of a feature's sunrise or sunset, alike in the features view and the
// almanac.

#include <optional>
#include <string>
#include <string_view>

#include "engine/date_time.h"

// Shown instead of a time that could not be found.
inline constexpr std::string_view FeatureTimePlaceholder = "-----";

// "HH:MM  DD Month YYYY", or the placeholder.
[[nodiscard]] std::string FeatureEventText(const std::optional<TDateRec>& event);
