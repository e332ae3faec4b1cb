// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// One record of a feature data file: 368 bytes, texts as short strings (a length byte and
// room for the characters) in Windows-1252, the diameter a little-endian IEEE double.
inline constexpr std::size_t FeatureRecordSize = 368;
using TFeatureRecordBytes = std::array<std::uint8_t, FeatureRecordSize>;

// The record's fields as UTF-8 texts.
struct TFeatureRecord {
    std::string Name;   // at most 40 characters
    std::string LatDir; // "S" for south, anything else north
    std::string LatDeg; // whole degrees
    std::string LatMin;
    std::string LatSec;
    std::string LongDir; // "W" for west, anything else east
    std::string LongDeg;
    std::string LongMin;
    std::string LongSec;
    double DiameterKm = 0.0;
    std::string Comments; // at most 255 characters
};

// Reads the fields. A length byte larger than its field is taken as the field's size;
// nothing outside the record is read.
[[nodiscard]] TFeatureRecord DecodeFeatureRecord(const TFeatureRecordBytes& bytes);

// Writes the fields, each encoded in Windows-1252 and cut to its field. Unused bytes are 0.
[[nodiscard]] TFeatureRecordBytes EncodeFeatureRecord(const TFeatureRecord& record);

// What makes a decoded record no feature, as the end of "record N ..." ("has no name", "has a
// control character in its name", "has a latitude beyond 90 degrees", ...): a name that is
// empty or holds a control character, a latitude or longitude that is not in degrees,
// minutes and seconds or lies beyond 90 or 180 degrees, a diameter that is negative or not a
// number. Empty when it can be a feature.
[[nodiscard]] std::string FeatureRecordDamage(const TFeatureRecord& record);
