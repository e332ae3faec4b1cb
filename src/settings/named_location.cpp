#include "settings/named_location.h"

#include "settings/settings.h"
#include "settings/settings_store.h"

namespace {

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
    return {"000000 North", "0000000 West", "24", "False"};
}

bool WriteNamedLocation(TSettingsStore& store, std::string_view name,
                        const TNamedLocation& location, bool canCreate) {
    if (name.empty()) return false;
    TSettingsStore::TTransaction transaction(store);
    std::optional<TStoreKey> key = store.OpenKey(LocationKeyPath(name), canCreate);
    if (!key) return false;
    const bool written = store.WriteTexts(*key, {{"Latitude", location.Latitude},
                                                 {"Longitude", location.Longitude},
                                                 {"Timezone", location.Timezone},
                                                 {"DST", location.DST}});
    store.CloseKey(*key);
    return written && transaction.Commit();
}

std::optional<TNamedLocation> ReadNamedLocation(TSettingsStore& store, std::string_view name) {
    if (name.empty()) return std::nullopt;
    std::optional<TStoreKey> key = store.OpenKey(LocationKeyPath(name), false);
    if (!key) return std::nullopt;
    TNamedLocation location{store.ReadText(*key, "Latitude"), store.ReadText(*key, "Longitude"),
                            store.ReadText(*key, "Timezone"), store.ReadText(*key, "DST")};
    store.CloseKey(*key);
    return location;
}

TLocationPosition SplitLocationLatitude(std::string_view text) {
    return {Characters(text, 1, 2), Characters(text, 3, 4), Characters(text, 5, 6),
            Characters(text, 8, 12)};
}

TLocationPosition SplitLocationLongitude(std::string_view text) {
    return {Characters(text, 1, 3), Characters(text, 4, 5), Characters(text, 6, 7),
            Characters(text, 9, 13)};
}
