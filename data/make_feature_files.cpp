// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the 17 feature data files, Data/<display name>.dat, from the feature table
// lunar-features.csv (kind, name, latitude and longitude in degrees with east and north
// positive, diameter in km, remarks).
//
// Usage: make_feature_files <lunar-features.csv> <output folder>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "features/feature_file.h"
#include "features/feature_record.h"

namespace {

// Splits CSV text into rows of fields: quoted fields may hold commas, doubled quotes and
// line breaks.
std::vector<std::vector<std::string>> ParseCsv(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row.push_back(std::move(field));
            field.clear();
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            row.push_back(std::move(field));
            field.clear();
            rows.push_back(std::move(row));
            row.clear();
        } else {
            field += c;
        }
    }
    if (!field.empty() || !row.empty()) {
        row.push_back(std::move(field));
        rows.push_back(std::move(row));
    }
    return rows;
}

bool ParseNumber(const std::string& text, double& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

std::string TwoDigits(long long value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02lld", value);
    return text;
}

// Whole degrees, minutes and seconds of arc (seconds rounded) and the direction letter.
void SplitAngle(double degrees, const char* positive, const char* negative, std::string& dir,
                std::string& deg, std::string& min, std::string& sec) {
    const long long seconds = std::llround(std::fabs(degrees) * 3600.0);
    dir = degrees < 0.0 && seconds > 0 ? negative : positive;
    deg = std::to_string(seconds / 3600);
    min = TwoDigits(seconds / 60 % 60);
    sec = TwoDigits(seconds % 60);
}

bool MakeRecord(const std::vector<std::string>& row, TFeatureRecord& record) {
    double latitude = 0.0, longitude = 0.0, diameter = 0.0;
    if (row.size() < 6 || !ParseNumber(row[2], latitude) || !ParseNumber(row[3], longitude) ||
        !ParseNumber(row[4], diameter))
        return false;
    record.Name = row[1];
    SplitAngle(latitude, "N", "S", record.LatDir, record.LatDeg, record.LatMin, record.LatSec);
    SplitAngle(longitude, "E", "W", record.LongDir, record.LongDeg, record.LongMin, record.LongSec);
    record.DiameterKm = diameter;
    record.Comments = row[5];
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_feature_files <lunar-features.csv> <output folder>\n";
        return 2;
    }
    std::ifstream csv(argv[1], std::ios::binary);
    if (!csv) {
        std::cerr << "make_feature_files: cannot read " << argv[1] << "\n";
        return 1;
    }
    std::stringstream text;
    text << csv.rdbuf();
    const auto rows = ParseCsv(text.str());

    std::map<std::string, std::vector<TFeatureRecordBytes>, std::less<>> files;
    for (std::string_view name : FeatureFileNames)
        files[std::string(name)];
    int skipped = 0;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        TFeatureRecord record;
        const auto file = rows[i].empty() ? files.end() : files.find(rows[i][0]);
        if (file == files.end() || !MakeRecord(rows[i], record)) {
            std::cerr << "make_feature_files: line " << i + 1 << " skipped\n";
            ++skipped;
            continue;
        }
        file->second.push_back(EncodeFeatureRecord(record));
    }

    const std::filesystem::path folder(argv[2]);
    std::filesystem::create_directories(folder);
    for (const auto& [name, records] : files) {
        const std::filesystem::path path = FeatureFilePath(name, folder);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        for (const TFeatureRecordBytes& record : records)
            out.write(reinterpret_cast<const char*>(record.data()), record.size());
        if (!out) {
            std::cerr << "make_feature_files: cannot write " << path << "\n";
            return 1;
        }
    }
    return skipped == 0 ? 0 : 1;
}
