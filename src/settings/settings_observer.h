// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/observer.h"
#include "settings/settings.h"

// The observer the settings describe: the position (longitude west-positive, negated east
// of Greenwich; latitude negated south of the equator) and the clock offsets of the time
// zone and daylight saving.
[[nodiscard]] TObserver ObserverFromSettings(const TSettings& settings);
