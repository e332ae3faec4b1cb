// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_writer.h"

#include <algorithm>
#include <optional>
#include <variant>
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

namespace {

[[nodiscard]] bool SameName(std::string_view a, std::string_view b) {
    return FindSettingDef(a) != nullptr && FindSettingDef(a) == FindSettingDef(b);
}

[[nodiscard]] bool Contains(std::span<const std::string_view> names, std::string_view name) {
    return std::ranges::any_of(names, [name](std::string_view n) { return SameName(n, name); });
}

[[nodiscard]] bool TextDiffers(const TSettings& before, const TSettings& after,
                               std::string_view name) {
    const TSettingDef* def = FindSettingDef(name);
    return def != nullptr && SettingText(before, *def) != SettingText(after, *def);
}

// The named values of `from` copied into `into`.
void CopyValues(TSettings& into, const TSettings& from, std::span<const std::string_view> names) {
    for (std::string_view name : names)
        if (const TSettingDef* def = FindSettingDef(name))
            (void)ApplySettingText(into, *def, SettingText(from, *def));
}

} // namespace

TSettings StoredValues(TSettingsStore& store, TSettings base,
                       std::span<const std::string_view> names) {
    std::optional<TStoreKey> key = store.OpenKey(SettingsKeyPath, false);
    if (!key) return base;
    for (std::string_view name : names) {
        const TSettingDef* def = FindSettingDef(name);
        if (def == nullptr) continue;
        // A value that is not there reads as empty; the one in hand then stays, except for
        // a text that may be empty (no zone name: a fixed offset).
        const std::string text = store.ReadText(*key, def->Name);
        const bool mayBeEmpty =
            std::holds_alternative<std::string TSettings::*>(def->Field) && !def->BlankRepaired;
        if (!text.empty() || mayBeEmpty) (void)ApplySettingText(base, *def, text);
    }
    store.CloseKey(*key);
    return base;
}

std::vector<std::string_view> ChangedValueNames(const TSettings& before, const TSettings& after,
                                                std::span<const std::string_view> names) {
    std::vector<std::string_view> changed;
    const auto add = [&](std::string_view name) {
        if (Contains(names, name) && !Contains(changed, name)) changed.push_back(name);
    };
    for (std::string_view name : names) {
        if (!TextDiffers(before, after, name)) continue;
        add(name);
        for (std::span<const std::string_view> group : ValuesStoredTogether)
            if (Contains(group, name))
                for (std::string_view partner : group)
                    add(partner);
    }
    return changed;
}

TStoredChanges StoreChangedSettings(TSettingsStore& store, const TSettings& current,
                                    const TSettings& shown, const TSettings& edited,
                                    std::span<const std::string_view> names) {
    const std::vector<std::string_view> changed = ChangedValueNames(shown, edited, names);
    TStoredChanges result{StoredValues(store, current, names), true};
    CopyValues(result.Settings, edited, changed);
    if (!changed.empty()) result.Stored = StoreSettings(store, result.Settings, changed);
    return result;
}
