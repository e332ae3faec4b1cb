// SPDX-License-Identifier: GPL-3.0-or-later
#include "features/feature_record.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "features/feature_position.h"
#include "features/windows1252.h"

namespace {

// Offset and size (length byte included) of each short string of the record.
struct TField {
    std::size_t Offset;
    std::size_t Size;
};

constexpr TField NameField{0, 41};
constexpr TField LatDirField{41, 3};
constexpr TField LatDegField{44, 4};
constexpr TField LatMinField{48, 3};
constexpr TField LatSecField{51, 3};
constexpr TField LongDirField{54, 3};
constexpr TField LongDegField{57, 4};
constexpr TField LongMinField{61, 3};
constexpr TField LongSecField{64, 3};
constexpr std::size_t DiameterOffset = 68;
constexpr TField CommentsField{112, 256};

static_assert(CommentsField.Offset + CommentsField.Size == FeatureRecordSize);

std::string ReadShortString(const TFeatureRecordBytes& bytes, TField field) {
    const std::size_t length = std::min<std::size_t>(bytes[field.Offset], field.Size - 1);
    const auto* first = reinterpret_cast<const char*>(bytes.data() + field.Offset + 1);
    return Windows1252ToUtf8(std::string_view(first, length));
}

void WriteShortString(TFeatureRecordBytes& bytes, TField field, const std::string& text) {
    const std::string encoded = Utf8ToWindows1252(text);
    const std::size_t length = std::min(encoded.size(), field.Size - 1);
    bytes[field.Offset] = static_cast<std::uint8_t>(length);
    std::memcpy(bytes.data() + field.Offset + 1, encoded.data(), length);
}

bool HasControlCharacter(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

// What is wrong with one angle of the record, "" when nothing.
std::string AngleDamage(const char* what, const std::string& deg, const std::string& min,
                        const std::string& sec, double limitDeg) {
    const std::optional<double> angle = FeatureAngleDeg(deg, min, sec);
    if (!angle)
        return std::string("has a ") + what + " that is not in degrees, minutes and seconds";
    if (*angle > limitDeg)
        return std::string("has a ") + what + " beyond " +
               std::to_string(static_cast<int>(limitDeg)) + " degrees";
    return {};
}

} // namespace

std::string FeatureRecordDamage(const TFeatureRecord& record) {
    if (record.Name.empty()) return "has no name";
    if (HasControlCharacter(record.Name)) return "has a control character in its name";
    std::string damage = AngleDamage("latitude", record.LatDeg, record.LatMin, record.LatSec, 90.0);
    if (damage.empty())
        damage = AngleDamage("longitude", record.LongDeg, record.LongMin, record.LongSec, 180.0);
    if (damage.empty() && !(std::isfinite(record.DiameterKm) && record.DiameterKm >= 0.0))
        damage = "has a diameter that is negative or not a number";
    return damage;
}

TFeatureRecord DecodeFeatureRecord(const TFeatureRecordBytes& bytes) {
    TFeatureRecord record;
    record.Name = ReadShortString(bytes, NameField);
    record.LatDir = ReadShortString(bytes, LatDirField);
    record.LatDeg = ReadShortString(bytes, LatDegField);
    record.LatMin = ReadShortString(bytes, LatMinField);
    record.LatSec = ReadShortString(bytes, LatSecField);
    record.LongDir = ReadShortString(bytes, LongDirField);
    record.LongDeg = ReadShortString(bytes, LongDegField);
    record.LongMin = ReadShortString(bytes, LongMinField);
    record.LongSec = ReadShortString(bytes, LongSecField);
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | bytes[DiameterOffset + i];
    record.DiameterKm = std::bit_cast<double>(bits);
    record.Comments = ReadShortString(bytes, CommentsField);
    return record;
}

TFeatureRecordBytes EncodeFeatureRecord(const TFeatureRecord& record) {
    TFeatureRecordBytes bytes{};
    WriteShortString(bytes, NameField, record.Name);
    WriteShortString(bytes, LatDirField, record.LatDir);
    WriteShortString(bytes, LatDegField, record.LatDeg);
    WriteShortString(bytes, LatMinField, record.LatMin);
    WriteShortString(bytes, LatSecField, record.LatSec);
    WriteShortString(bytes, LongDirField, record.LongDir);
    WriteShortString(bytes, LongDegField, record.LongDeg);
    WriteShortString(bytes, LongMinField, record.LongMin);
    WriteShortString(bytes, LongSecField, record.LongSec);
    const auto bits = std::bit_cast<std::uint64_t>(record.DiameterKm);
    for (int i = 0; i < 8; ++i)
        bytes[DiameterOffset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    WriteShortString(bytes, CommentsField, record.Comments);
    return bytes;
}
