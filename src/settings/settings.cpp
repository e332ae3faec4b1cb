// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings.h"

#include <array>
#include <charconv>
#include <cmath>
#include <strings.h>

#include "engine/text_helpers.h"

namespace {

using S = TSettings;
using P = TPosition;
using A = TDegMinSec;

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

// A part of the stored position: decimal digits, perhaps with a fraction; blank reads as 0.
// Nothing for anything else ("nan", "inf", "9e9", "-5").
std::optional<double> PositionNumber(std::string_view text) {
    const std::string_view digits = TrimBlanks(text);
    if (digits.empty()) return 0.0;
    const auto point = digits.find('.');
    if (digits.find_first_not_of("0123456789.") != std::string_view::npos || point == 0 ||
        digits.find('.', point == std::string_view::npos ? point : point + 1) !=
            std::string_view::npos)
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

// The field a path of members leads to: At<&S::Position, &P::Latitude>(settings).
template <auto... Path> auto& At(auto& settings) {
    return (settings.*....*Path);
}

// One part of an angle of the position, written with the digits of its default.
template <auto... Path>
constexpr TSettingCodec PartCodec{
    [](S& settings, const TSettingDef& def, std::string_view text) {
        const std::optional<double> value = PositionNumber(Utf8Prefix(text, def.MaxLength));
        if (!value || *value != static_cast<int>(*value)) return TSettingRead::Invalid;
        At<Path...>(settings) = static_cast<int>(*value);
        return TSettingRead::Ok;
    },
    [](const S& settings, const TSettingDef& def) {
        return AnglePartText(At<Path...>(settings), static_cast<int>(def.Default.size()));
    }};

// A kind stored as its word.
template <auto Word, auto OfWord, auto... Path>
constexpr TSettingCodec WordCodec{
    [](S& settings, const TSettingDef& def, std::string_view text) {
        const std::string word = Utf8Prefix(text, def.MaxLength);
        if (TrimBlanks(word).empty()) return TSettingRead::Blank;
        const auto kind = OfWord(word);
        if (!kind) return TSettingRead::Unknown;
        At<Path...>(settings) = *kind;
        return TSettingRead::Ok;
    },
    [](const S& settings, const TSettingDef&) { return std::string(Word(At<Path...>(settings))); }};

// A kind stored as its number, Min..Max.
template <auto Member>
constexpr TSettingCodec NumberedCodec{
    [](S& settings, const TSettingDef& def, std::string_view text) {
        int number = 0;
        const TSettingRead read = ApplyInteger(number, def, text);
        if (read == TSettingRead::Ok)
            settings.*Member = static_cast<std::decay_t<decltype(settings.*Member)>>(number);
        return read;
    },
    [](const S& settings, const TSettingDef&) {
        return std::to_string(static_cast<int>(settings.*Member));
    }};

constexpr std::array<std::pair<TPrinterType, std::string_view>, 3> PrinterWords = {{
    {TPrinterType::Laser, "Laser"},
    {TPrinterType::BwInkjet, "BW Inkjet"},
    {TPrinterType::ColourInkjet, "Colour Inkjet"},
}};

std::string_view PrinterWord(TPrinterType type) {
    for (const auto& [kind, word] : PrinterWords)
        if (kind == type) return word;
    return PrinterWords[0].second;
}

std::optional<TPrinterType> PrinterOfWord(std::string_view text) {
    for (const auto& [kind, word] : PrinterWords)
        if (word == text) return kind;
    return std::nullopt;
}

// Each stored value, declared once. Reading, repair and writing all work from this table.
constexpr std::array<TSettingDef, 25> Defs = {{
    {"Version", CurrentVersion, &S::Version, 6},
    {"LatDeg", "00", PartCodec<&S::Position, &P::Latitude, &A::Deg>, 3},
    {"LatMin", "00", PartCodec<&S::Position, &P::Latitude, &A::Min>, 2},
    {"LatSec", "00", PartCodec<&S::Position, &P::Latitude, &A::Sec>, 2},
    {"LongDeg", "000", PartCodec<&S::Position, &P::Longitude, &A::Deg>, 3},
    {"LongMin", "00", PartCodec<&S::Position, &P::Longitude, &A::Min>, 2},
    {"LongSec", "00", PartCodec<&S::Position, &P::Longitude, &A::Sec>, 2},
    {"LatDir", "North", WordCodec<HemisphereWord, HemisphereOfWord, &S::Position, &P::LatitudeSide>,
     5},
    {"LongDir", "West",
     WordCodec<LongitudeSideWord, LongitudeSideOfWord, &S::Position, &P::LongitudeSide>, 5},
    {"Location", "", &S::Location, 64},
    {"DayOrder", "0", NumberedCodec<&S::DayOrder>, 0, 0, 6},
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
    {"PrinterType", "Laser", WordCodec<PrinterWord, PrinterOfWord, &S::PrinterType>, 15},
    {"TimeServer", "daytime://time.nist.gov", &S::TimeServer, 255, 0, 0, true},
    {"NightVision", "False", &S::NightVision},
    {"TimeZoneName", "", &S::TimeZoneName, 64},
}};

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
        [&](const auto& member) -> std::string {
            if constexpr (std::is_same_v<std::decay_t<decltype(member)>, TSettingCodec>) {
                return member.Write(settings, def);
            } else {
                const auto& value = settings.*member;
                using T = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<T, std::string>)
                    return value;
                else if constexpr (std::is_same_v<T, bool>)
                    return value ? "True" : "False";
                else
                    return std::to_string(static_cast<long long>(value));
            }
        },
        def.Field);
}

TSettingRead ApplySettingText(TSettings& settings, const TSettingDef& def, std::string_view text) {
    return std::visit(
        [&](const auto& member) -> TSettingRead {
            if constexpr (std::is_same_v<std::decay_t<decltype(member)>, TSettingCodec>) {
                return member.Read(settings, def, text);
            } else {
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
            }
        },
        def.Field);
}

std::optional<TDegMinSec> AxisOfTexts(std::string_view deg, std::string_view min,
                                      std::string_view sec, int maxDeg) {
    const std::optional<double> d = PositionNumber(deg);
    const std::optional<double> m = PositionNumber(min);
    const std::optional<double> s = PositionNumber(sec);
    if (!d || !m || !s || *m >= 60 || *s >= 60 || *d + *m / 60 + *s / 3600 > maxDeg)
        return std::nullopt;
    return DegMinSecOfArcSeconds(static_cast<int>(std::lround(*d * 3600 + *m * 60 + *s)));
}

int SettingsZoneMinutes(const TSettings& settings) {
    return (settings.TimeZone - GreenwichZoneIndex) * ZoneIndexMinutes;
}

int SettingsDstMinutes(const TSettings& settings) {
    return settings.DaylightSavings ? DaylightSavingMinutes : 0;
}
