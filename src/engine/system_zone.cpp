// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/system_zone.h"

#include "engine/observer_zone.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

// The zone name in a path into a zoneinfo folder, without the folder's "posix/" and "right/"
// copies; the path itself when it names no folder.
std::string_view NameInZoneFolder(std::string_view path) {
    constexpr std::string_view Folder = "zoneinfo/";
    const size_t at = path.find(Folder);
    if (at != std::string_view::npos) path.remove_prefix(at + Folder.size());
    for (const std::string_view copy : {"posix/", "right/"})
        if (path.substr(0, copy.size()) == copy) path.remove_prefix(copy.size());
    return path;
}

std::string WellFormedOrEmpty(std::string_view name) {
    return IsWellFormedZoneName(name) ? std::string(name) : std::string();
}

// ISO 6709 degrees: sign, then DD[D]MM or DD[D]MMSS; none when the digits do not fit.
std::optional<double> ReadIso6709(std::string_view field, size_t degreeDigits) {
    if (field.size() != degreeDigits + 3 && field.size() != degreeDigits + 5) return std::nullopt;
    if (field[0] != '+' && field[0] != '-') return std::nullopt;
    double value = 0.0;
    double unit = 1.0;
    for (size_t pos = 1; pos < field.size(); unit /= 60.0) {
        const size_t width = pos == 1 ? degreeDigits : 2;
        int part = 0;
        for (size_t i = 0; i < width; ++i, ++pos) {
            if (field[pos] < '0' || field[pos] > '9') return std::nullopt;
            part = part * 10 + (field[pos] - '0');
        }
        if (pos > 1 + degreeDigits && part >= 60) return std::nullopt;
        value += part * unit;
    }
    return field[0] == '-' ? -value : value;
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    for (size_t start = 0;;) {
        const size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

std::optional<TZoneCity> ReadZoneRow(std::string_view line) {
    const std::vector<std::string_view> fields = SplitTabs(line);
    if (fields.size() < 3 || !IsWellFormedZoneName(fields[2])) return std::nullopt;
    const std::string_view coordinates = fields[1];
    const size_t split = coordinates.find_first_of("+-", 1);
    if (split == std::string_view::npos) return std::nullopt;
    const auto latitude = ReadIso6709(coordinates.substr(0, split), 2);
    const auto longitude = ReadIso6709(coordinates.substr(split), 3);
    if (!latitude || !longitude || std::abs(*latitude) > 90 || std::abs(*longitude) > 180)
        return std::nullopt;
    return TZoneCity{std::string(fields[2]), *latitude, *longitude, ZonePlaceName(fields[2])};
}

// The zone a link of the database stands for ("US/Eastern" is America/New_York); the name
// itself when it is no link or cannot be followed.
std::string FollowZoneLink(std::string_view zoneName) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path folder = fs::canonical(ZoneInfoFolder, error);
    if (error) return std::string(zoneName);
    const fs::path target = fs::canonical(folder / zoneName, error);
    if (error) return std::string(zoneName);
    const fs::path relative = target.lexically_relative(folder);
    const std::string name = relative.string();
    return IsWellFormedZoneName(name) ? name : std::string(zoneName);
}

} // namespace

std::string SystemZoneNameFrom(const char* tzVariable, std::string_view localtimeTarget) {
    if (tzVariable) {
        std::string_view tz = tzVariable;
        if (!tz.empty() && tz[0] == ':') tz.remove_prefix(1);
        return WellFormedOrEmpty(NameInZoneFolder(tz));
    }
    if (localtimeTarget.find("zoneinfo/") == std::string_view::npos) return {};
    return WellFormedOrEmpty(NameInZoneFolder(localtimeTarget));
}

std::string SystemZoneName() {
    std::error_code error;
    const std::filesystem::path target = std::filesystem::read_symlink("/etc/localtime", error);
    return SystemZoneNameFrom(std::getenv("TZ"), error ? std::string() : target.string());
}

std::vector<TZoneCity> ParseZoneTable(std::string_view text) {
    std::vector<TZoneCity> table;
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line[0] != '#')
            if (auto row = ReadZoneRow(line)) table.push_back(std::move(*row));
        start = end + 1;
    }
    return table;
}

std::optional<TZoneCity> FindZoneCity(const std::vector<TZoneCity>& table,
                                      std::string_view zoneName) {
    for (const TZoneCity& row : table)
        if (row.ZoneName == zoneName) return row;
    return std::nullopt;
}

std::optional<TZoneCity> SystemZoneCity(std::string_view zoneName) {
    if (!IsWellFormedZoneName(zoneName)) return std::nullopt;
    std::ifstream in(std::string(ZoneInfoFolder) + "/zone1970.tab");
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::vector<TZoneCity> table = ParseZoneTable(text);
    if (auto row = FindZoneCity(table, zoneName)) return row;
    return FindZoneCity(table, FollowZoneLink(zoneName));
}

std::string ZonePlaceName(std::string_view zoneName) {
    const size_t slash = zoneName.rfind('/');
    std::string place(slash == std::string_view::npos ? zoneName : zoneName.substr(slash + 1));
    for (char& c : place)
        if (c == '_') c = ' ';
    return place;
}
