#pragma once

// The shown texts of the next sunrise and sunset over one feature. Kept apart from
// feature_file.h, whose column names share a name with the engine's event kinds.

#include <string>

#include "engine/observer.h"

struct TFeatureEventTexts {
    std::string Sunrise; // "HH:MM  DD Month YYYY", or the placeholder "-----"
    std::string Sunset;
};

[[nodiscard]] TFeatureEventTexts FeatureEventTexts(double latitudeDeg, double longitudeDeg,
                                                   double startLocalJD, double selectedLocalJD,
                                                   const TObserver& observer);
