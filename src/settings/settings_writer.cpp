#include "settings/settings_writer.h"

#include <optional>
#include <vector>

#include "settings/settings_store.h"

bool StoreSettings(TSettingsStore& store, const TSettings& settings,
                   std::span<const std::string_view> names) {
    std::vector<TNamedText> values;
    for (std::string_view name : names) {
        const TSettingDef* def = FindSettingDef(name);
        if (!def) return false;
        values.push_back({std::string(def->Name), SettingText(settings, *def)});
    }
    std::optional<TStoreKey> key = store.OpenKey(SettingsKeyPath, false);
    if (!key) return false;
    const bool written = store.WriteTexts(*key, values);
    store.CloseKey(*key);
    return written;
}
