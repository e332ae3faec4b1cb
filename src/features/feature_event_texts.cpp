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
    return {EventText(times.SunriseFound, times.Sunrise), EventText(times.SunsetFound, times.Sunset)};
}
