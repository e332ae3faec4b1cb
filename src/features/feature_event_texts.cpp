#include "features/feature_event_texts.h"

#include "engine/feature_sun.h"
#include "engine/text_helpers.h"

namespace {

std::string EventText(bool found, const TDateRec& date) {
    return found ? DateTimeTextNoSeconds(date) : std::string("-----");
}

} // namespace

TFeatureEventTexts FeatureEventTexts(double latitudeDeg, double longitudeDeg, double startLocalJD,
                                     double selectedLocalJD, const TObserver& observer) {
    const TFeatureSunTimes times =
        FeatureSunTimes(latitudeDeg, longitudeDeg, startLocalJD, selectedLocalJD, observer);
    return {EventText(times.SunriseFound, times.Sunrise),
            EventText(times.SunsetFound, times.Sunset)};
}

TFeatureEventLister::TFeatureEventLister(double startLocalJD, double selectedLocalJD,
                                         const TObserver& observer)
    : StartLocalJD(startLocalJD), SelectedLocalJD(selectedLocalJD),
      Track(std::make_unique<TSubSolarTrack>(startLocalJD - observer.LocalOffsetDays(), observer)) {
}

TFeatureEventLister::~TFeatureEventLister() = default;

TFeatureEventTexts TFeatureEventLister::Texts(double latitudeDeg, double longitudeDeg) {
    const TFeatureSunTimes times =
        FeatureSunTimes(latitudeDeg, longitudeDeg, StartLocalJD, SelectedLocalJD, *Track);
    return {EventText(times.SunriseFound, times.Sunrise),
            EventText(times.SunsetFound, times.Sunset)};
}
