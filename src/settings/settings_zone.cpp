// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_zone.h"

#include <algorithm>
#include <cmath>

namespace {


TDegMinSec DegMinSecOf(double degrees) {
    return DegMinSecOfArcSeconds(static_cast<int>(std::lround(std::abs(degrees) * 3600.0)));
}

} // namespace

TObserverZone SettingsZone(const TSettings& settings) {
    if (!settings.TimeZoneName.empty()) {
        if (const TNamedZoneLookup found = LookUpNamedZone(settings.TimeZoneName); found.Zone)
            return *found.Zone;
    }
    return TObserverZone::Fixed(SettingsZoneMinutes(settings), SettingsDstMinutes(settings));
}

int FixedZoneIndex(int offsetMinutes) {
    const long index =
        std::lround(offsetMinutes / static_cast<double>(ZoneIndexMinutes)) + GreenwichZoneIndex;
    return static_cast<int>(std::clamp(index, 0L, static_cast<long>(LastZoneIndex)));
}

void KeepFixedOffsetInStep(TSettings& settings, const TObserverZone& zone, double jdUT) {
    if (!zone.IsNamed()) return;
    const TZoneState state = zone.StateAt(jdUT);
    // The old values add a whole hour for daylight saving: the zone index takes the rest, so
    // the sum is the offset in force (Lord Howe's half-hour saving included).
    settings.DaylightSavings = state.IsDaylightSaving;
    settings.TimeZone = FixedZoneIndex(state.OffsetMinutes() -
                                       (state.IsDaylightSaving ? DaylightSavingMinutes : 0));
}

void PlaceAtZoneCity(TSettings& settings, const TZoneCity& city, const TObserverZone& zone,
                     double jdUT) {
    TPosition& position = settings.Position;
    position.Latitude = DegMinSecOf(city.LatitudeDeg);
    position.LatitudeSide = city.LatitudeDeg < 0 ? THemisphere::Southern : THemisphere::Northern;
    position.Longitude = DegMinSecOf(city.LongitudeEastDeg);
    position.LongitudeSide =
        city.LongitudeEastDeg < 0 ? TLongitudeSide::West : TLongitudeSide::East;
    settings.Location = city.PlaceName;
    settings.TimeZoneName = zone.Name();
    KeepFixedOffsetInStep(settings, zone, jdUT);
}

