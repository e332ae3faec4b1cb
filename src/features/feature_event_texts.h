#pragma once

// The shown texts of the next sunrise and sunset over one feature, or over the many features
// of a listing.

#include <memory>
#include <string>

#include "engine/observer.h"

class TSubSolarTrack;

struct TFeatureEventTexts {
    std::string Sunrise; // "HH:MM  DD Month YYYY", or the placeholder "-----"
    std::string Sunset;
};

[[nodiscard]] TFeatureEventTexts FeatureEventTexts(double latitudeDeg, double longitudeDeg,
                                                   double startLocalJD, double selectedLocalJD,
                                                   const TObserver& observer);

// The texts of many features searched from the same two moments (local civil JDs). The
// Sun's selenographic place is shared by all of them, so each grid instant of its track is
// worked out once for the whole listing.
class TFeatureEventLister {
  public:
    TFeatureEventLister(double startLocalJD, double selectedLocalJD, const TObserver& observer);
    ~TFeatureEventLister();
    TFeatureEventLister(const TFeatureEventLister&) = delete;
    TFeatureEventLister& operator=(const TFeatureEventLister&) = delete;

    [[nodiscard]] TFeatureEventTexts Texts(double latitudeDeg, double longitudeDeg);

  private:
    double StartLocalJD;
    double SelectedLocalJD;
    std::unique_ptr<TSubSolarTrack> Track;
};
