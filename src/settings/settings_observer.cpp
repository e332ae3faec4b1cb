#include "settings/settings_observer.h"

#include <cstdlib>
#include <string>

#include "engine/angles.h"

namespace {

double NumberOrZero(const std::string& text) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    return end != text.c_str() ? value : 0.0;
}

double Angle(const std::string& degrees, const std::string& minutes, const std::string& seconds) {
    return NumberOrZero(degrees) + NumberOrZero(minutes) / 60.0 + NumberOrZero(seconds) / 3600.0;
}

} // namespace

TObserver ObserverFromSettings(const TSettings& settings) {
    TObserver observer;
    const double lon = Angle(settings.LongDeg, settings.LongMin, settings.LongSec);
    const double lat = Angle(settings.LatDeg, settings.LatMin, settings.LatSec);
    observer.ObserverLongitude = DegToRad(settings.LongDir == "East" ? -lon : lon);
    observer.ObserverLatitude = DegToRad(settings.LatDir == "South" ? -lat : lat);
    observer.ZoneMinutes = SettingsZoneMinutes(settings);
    observer.DstMinutes = SettingsDstMinutes(settings);
    return observer;
}
