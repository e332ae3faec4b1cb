// The feature file reader over arbitrary file contents: whole records only, every cell
// bounded, no NUL, and never "nan" or "inf" as a diameter; records found sound have a name
// and a position on the Moon.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "features/feature_file.h"
#include "features/feature_position.h"
#include "features/feature_record.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TFeatureTable table;
    const std::string damage =
        DecodeFeatureRecords(table, std::string_view(reinterpret_cast<const char*>(data), size));
    FUZZ_CHECK(table.Rows.size() == size / FeatureRecordSize);
    for (const TFeatureRow& row : table.Rows) {
        for (const std::string& cell : row) {
            FUZZ_CHECK(cell.size() <= 3 * 255); // a Windows-1252 byte is at most 3 in UTF-8
            FUZZ_CHECK(cell.find('\0') == std::string::npos);
        }
        const std::string& diameter = row[FeatureDiameter];
        FUZZ_CHECK(diameter.find("nan") == std::string::npos &&
                   diameter.find("inf") == std::string::npos);
        if (damage.empty()) {
            const auto position = FeaturePositionOf(row);
            FUZZ_CHECK(!row[FeatureName].empty() && position &&
                       std::fabs(position->LatitudeDeg) <= 90 &&
                       std::fabs(position->LongitudeDeg) <= 180);
        }
    }
    return 0;
}
