// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The 17 feature data files, in the order of every file list and of FeatureIdx.
inline constexpr std::array<std::string_view, 17> FeatureFileNames = {
    "Albedo",        "Catena", "Craters", "Dorsum",  "Fossa", "Lacus",
    "Landing Sites", "Mare",   "Mons",    "Oceanus", "Palus", "Planitia",
    "Promontorium",  "Rima",   "Rupes",   "Sinus",   "Vallis"};

// One lunar feature of a feature file.
struct TFeature {
    std::string Name;
    double LatitudeDeg = 0.0;  // selenographic, north positive
    double LongitudeDeg = 0.0; // selenographic, east positive
    double DiameterKm = 0.0;
    std::string Comment;
};

// The features of one feature data file, in file order.
struct TFeatureTable {
    std::vector<TFeature> Features;

    [[nodiscard]] int FeatureCount() const { return static_cast<int>(Features.size()); }
};

// The file of a display name: dataFolder / (the name cut to 20 characters) + ".dat".
[[nodiscard]] std::filesystem::path FeatureFilePath(std::string_view displayName,
                                                    const std::filesystem::path& dataFolder);

// The largest feature file read: the biggest real file is under 1 MB, and a file far beyond
// that is not one of ours (a link to a device, say) and must not fill the memory.
inline constexpr std::uintmax_t MaxFeatureFileBytes = 4 * 1024 * 1024;

enum class TFeatureFileStatus {
    Loaded,   // the file's records are in the table
    NotFound, // missing, unreadable, or not a regular file (a folder, a FIFO, a device)
    TooLarge, // larger than MaxFeatureFileBytes
    Damaged,  // not a whole number of records, or a record that cannot be a feature
};

// What became of loading a feature file.
struct TFeatureFileLoad {
    TFeatureFileStatus Status = TFeatureFileStatus::NotFound;
    std::filesystem::path Path; // the file looked for
    std::uintmax_t Bytes = 0;   // its size, when it was found
    std::string Damage;         // for Damaged: what is wrong ("record 12 has no name")

    bool operator==(TFeatureFileStatus status) const { return Status == status; }
};

// Fills the table from the display name's file, replacing what it held. A file that is not
// loaded (missing, too large or damaged) gives an empty table: a damaged file is not shown
// in part, since nothing tells its good records from the bad. Never blocks on a FIFO or
// device named like a feature file.
TFeatureFileLoad LoadFeatureFile(TFeatureTable& table, std::string_view displayName,
                                 const std::filesystem::path& dataFolder = "Data");

// Why a file was not loaded, naming it ("the feature file Data/Craters.dat is damaged:
// record 3 has a latitude beyond 90 degrees"); empty for a loaded one.
[[nodiscard]] std::string FeatureFileProblem(const TFeatureFileLoad& load);

// Fills the table from the bytes of a feature file (whole records only), replacing what it
// held. Returns what makes the first record that cannot be a feature damaged ("record 3 has
// no name", see FeatureRecordDamage) and leaves the table empty then; empty when every record
// is a feature.
std::string DecodeFeatureRecords(TFeatureTable& table, std::string_view bytes);
