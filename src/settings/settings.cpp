#include "settings/settings.h"

#include <array>
#include <charconv>
#include <strings.h>

#include "engine/text_helpers.h"

namespace {

using S = TSettings;

// Each stored value, declared once. Reading, repair and writing all work from this table.
constexpr std::array<TSettingDef, 24> Defs = {{
    {"Version", CurrentVersion, &S::Version, 6},
    {"LatDeg", "00", &S::LatDeg, 3},
    {"LatMin", "00", &S::LatMin, 2},
    {"LatSec", "00", &S::LatSec, 2},
    {"LongDeg", "000", &S::LongDeg, 3},
    {"LongMin", "00", &S::LongMin, 2},
    {"LongSec", "00", &S::LongSec, 2},
    {"LatDir", "North", &S::LatDir, 5},
    {"LongDir", "West", &S::LongDir, 5},
    {"Location", "", &S::Location, 64},
    {"DayOrder", "0", &S::DayOrder, 0, 0, 6},
    {"DateLayoutIdx", "0", &S::DateLayoutIdx, 0, 0, 1},
    {"DateFormat", "dd/mm/yyyy", &S::DateFormat, 12},
    {"DaylightSavings", "False", &S::DaylightSavings},
    {"TimeZone", "24", &S::TimeZone, 0, 0, 48},
    {"FeatureIdx", "2", &S::FeatureIdx, 0, 0, 16},
    {"PhaseDensity", "75", &S::PhaseDensity, 0, 0, 100},
    {"PrintDailyPhases", "True", &S::PrintDailyPhases},
    {"PrintMajorPhases", "True", &S::PrintMajorPhases},
    {"PrintLunarTimes", "True", &S::PrintLunarTimes},
    {"PrintSunTimes", "True", &S::PrintSunTimes},
    {"PrinterType", "Laser", &S::PrinterType, 15, 0, 0, true},
    {"TimeServer", "daytime://time.nist.gov", &S::TimeServer, 255, 0, 0, true},
    {"NightVision", "False", &S::NightVision},
}};

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

template <typename T>
TSettingRead ApplyInteger(T& field, const TSettingDef& def, std::string_view text) {
    const std::string_view digits = TrimBlanks(text);
    if (digits.empty()) return TSettingRead::Blank;
    long long value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) return TSettingRead::Invalid;
    if (value < def.Min || value > def.Max) return TSettingRead::Invalid;
    field = static_cast<T>(value);
    return TSettingRead::Ok;
}

} // namespace

std::span<const TSettingDef> SettingDefs() {
    return Defs;
}

const TSettingDef* FindSettingDef(std::string_view name) {
    for (const TSettingDef& def : Defs) {
        if (SameName(def.Name, name)) return &def;
    }
    return nullptr;
}

TSettings DefaultSettings() {
    TSettings settings;
    for (const TSettingDef& def : Defs)
        ApplySettingText(settings, def, def.Default);
    return settings;
}

std::string SettingText(const TSettings& settings, const TSettingDef& def) {
    return std::visit(
        [&settings](auto member) -> std::string {
            const auto& value = settings.*member;
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::string>)
                return value;
            else if constexpr (std::is_same_v<T, bool>)
                return value ? "True" : "False";
            else
                return std::to_string(static_cast<long long>(value));
        },
        def.Field);
}

TSettingRead ApplySettingText(TSettings& settings, const TSettingDef& def, std::string_view text) {
    return std::visit(
        [&](auto member) -> TSettingRead {
            auto& field = settings.*member;
            using T = std::decay_t<decltype(field)>;
            if constexpr (std::is_same_v<T, std::string>) {
                field = Utf8Prefix(text, def.MaxLength);
                return TrimBlanks(field).empty() ? TSettingRead::Blank : TSettingRead::Ok;
            } else if constexpr (std::is_same_v<T, bool>) {
                field = text == "True";
                return TSettingRead::Ok;
            } else {
                return ApplyInteger(field, def, text);
            }
        },
        def.Field);
}

int SettingsZoneMinutes(const TSettings& settings) {
    return (settings.TimeZone - 24) * 30;
}

int SettingsDstMinutes(const TSettings& settings) {
    return settings.DaylightSavings ? 60 : 0;
}
