#include "features/feature_file.h"

#include <fstream>

#include "features/feature_record.h"

namespace {

constexpr int DisplayNameCharacters = 20;

// The first maxChars characters of a UTF-8 text.
std::string_view CutToCharacters(std::string_view text, int maxChars) {
    std::size_t end = 0;
    for (int count = 0; end < text.size() && count < maxChars; ++count) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            ++end;
    }
    return text.substr(0, end);
}

TFeatureRow RowOf(const TFeatureRecord& record) {
    TFeatureRow row;
    row[FeatureName] = record.Name;
    row[FeatureLatDeg] = record.LatDeg;
    row[FeatureLatMin] = record.LatMin;
    row[FeatureLatSec] = record.LatSec;
    row[FeatureLatDir] = record.LatDir;
    row[FeatureLongDeg] = record.LongDeg;
    row[FeatureLongMin] = record.LongMin;
    row[FeatureLongSec] = record.LongSec;
    row[FeatureLongDir] = record.LongDir;
    row[FeatureDiameter] = DiameterText(record.DiameterKm);
    row[FeatureComments] = record.Comments;
    return row;
}

} // namespace

std::filesystem::path FeatureFilePath(std::string_view displayName,
                                      const std::filesystem::path& dataFolder) {
    return dataFolder / (std::string(CutToCharacters(displayName, DisplayNameCharacters)) + ".dat");
}

void LoadFeatureFile(TFeatureTable& table, std::string_view displayName,
                     const std::filesystem::path& dataFolder) {
    table.Rows.clear();
    std::ifstream file(FeatureFilePath(displayName, dataFolder), std::ios::binary);
    TFeatureRecordBytes bytes;
    while (file.read(reinterpret_cast<char*>(bytes.data()), bytes.size()))
        table.Rows.push_back(RowOf(DecodeFeatureRecord(bytes)));
}
