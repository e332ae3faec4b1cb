#pragma once

#include "engine/observer.h"
#include "settings/settings.h"

// The observer the settings describe: position from the degree, minute and second texts
// (longitude west-positive, negated for "East"; latitude negated for "South") and the
// clock offsets of the time zone and daylight saving. A text that is not a number counts 0.
[[nodiscard]] TObserver ObserverFromSettings(const TSettings& settings);
