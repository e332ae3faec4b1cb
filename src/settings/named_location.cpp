// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/named_location.h"

#include "settings/settings.h"
#include "settings/settings_store.h"

namespace {

// The value of a named location that holds its zone's name.
constexpr std::string_view LocationZoneValue = "TimeZoneName";

// Characters first..last (1-based, inclusive) of the text, as far as it reaches.
std::string Characters(std::string_view text, std::size_t first, std::size_t last) {
    if (text.size() < first) return {};
    return std::string(text.substr(first - 1, last - first + 1));
}

} // namespace

std::string LocationKeyPath(std::string_view name) {
    return std::string(UserKeyPath) + "\\" + std::string(name);
}

TNamedLocation DefaultHomeLocation() {
    return NamedLocationOf(TPosition{}, 24, false);
}

bool WriteNamedLocation(TSettingsStore& store, std::string_view name,
                        const TNamedLocation& location, bool canCreate) {
    if (name.empty()) return false;
    TSettingsStore::TTransaction transaction(store);
    std::optional<TStoreKey> key = store.OpenKey(LocationKeyPath(name), canCreate);
    if (!key) return false;
    std::vector<TNamedText> values = {{"Latitude", location.Latitude},
                                      {"Longitude", location.Longitude},
                                      {"Timezone", location.Timezone},
                                      {"DST", location.DST}};
    if (!location.ZoneName.empty() || !store.ReadText(*key, LocationZoneValue).empty())
        values.push_back({std::string(LocationZoneValue), location.ZoneName});
    const bool written = store.WriteTexts(*key, values);
    store.CloseKey(*key);
    return written && transaction.Commit();
}

std::optional<TNamedLocation> ReadNamedLocation(TSettingsStore& store, std::string_view name) {
    if (name.empty()) return std::nullopt;
    std::optional<TStoreKey> key = store.OpenKey(LocationKeyPath(name), false);
    if (!key) return std::nullopt;
    TNamedLocation location{store.ReadText(*key, "Latitude"), store.ReadText(*key, "Longitude"),
                            store.ReadText(*key, "Timezone"), store.ReadText(*key, "DST"),
                            store.ReadText(*key, LocationZoneValue)};
    store.CloseKey(*key);
    return location;
}

TNamedLocation NamedLocationOf(const TPosition& position, int timeZone, bool dst,
                               std::string_view zoneName) {
    const auto axisText = [](const TDegMinSec& angle, int degDigits, std::string_view side) {
        return AnglePartText(angle.Deg, degDigits) + AnglePartText(angle.Min, ArcMinSecDigits) +
               AnglePartText(angle.Sec, ArcMinSecDigits) + " " + std::string(side);
    };
    return {
        axisText(position.Latitude, LatitudeDegDigits, HemisphereWord(position.LatitudeSide)),
        axisText(position.Longitude, LongitudeDegDigits, LongitudeSideWord(position.LongitudeSide)),
        std::to_string(timeZone), dst ? "True" : "False", std::string(zoneName)};
}

std::optional<TPosition> LocationPosition(const TNamedLocation& location) {
    const std::string_view lat = location.Latitude;
    const std::string_view lon = location.Longitude;
    const auto latitude = AxisOfTexts(Characters(lat, 1, 2), Characters(lat, 3, 4),
                                      Characters(lat, 5, 6), MaxLatitudeDeg);
    const auto longitude = AxisOfTexts(Characters(lon, 1, 3), Characters(lon, 4, 5),
                                       Characters(lon, 6, 7), MaxLongitudeDeg);
    if (!latitude || !longitude) return std::nullopt;
    const bool south = HemisphereOfWord(Characters(lat, 8, 12)) == THemisphere::Southern;
    const bool west = LongitudeSideOfWord(Characters(lon, 9, 13)) == TLongitudeSide::West;
    return TPosition{*latitude, south ? THemisphere::Southern : THemisphere::Northern, *longitude,
                     west ? TLongitudeSide::West : TLongitudeSide::East};
}
