// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_observer.h"

#include "engine/angles.h"
#include "settings/settings_zone.h"

TObserver ObserverFromSettings(const TSettings& settings) {
    const TPosition& position = settings.Position;
    const double lon = position.Longitude.Degrees();
    const double lat = position.Latitude.Degrees();
    TObserver observer;
    observer.ObserverLongitude =
        DegToRad(position.LongitudeSide == TLongitudeSide::East ? -lon : lon);
    observer.ObserverLatitude =
        DegToRad(position.LatitudeSide == THemisphere::Southern ? -lat : lat);
    observer.Zone = SettingsZone(settings);
    return observer;
}
