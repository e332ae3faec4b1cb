// SPDX-License-Identifier: GPL-3.0-or-later
// The feature file reader over arbitrary file contents: a damaged file gives no features;
// otherwise every record is a feature, its texts bounded and without NUL, with a name, a
// position on the Moon and a finite, non-negative diameter.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "features/feature_file.h"
#include "features/feature_record.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TFeatureTable table;
    const std::string damage =
        DecodeFeatureRecords(table, std::string_view(reinterpret_cast<const char*>(data), size));
    if (!damage.empty()) {
        FUZZ_CHECK(table.Features.empty());
        return 0;
    }
    FUZZ_CHECK(table.Features.size() == size / FeatureRecordSize);
    for (const TFeature& feature : table.Features) {
        for (const std::string* text : {&feature.Name, &feature.Comment}) {
            FUZZ_CHECK(text->size() <= 3 * 255); // a Windows-1252 byte is at most 3 in UTF-8
            FUZZ_CHECK(text->find('\0') == std::string::npos);
        }
        FUZZ_CHECK(!feature.Name.empty() && std::isfinite(feature.DiameterKm) &&
                   feature.DiameterKm >= 0 && std::fabs(feature.LatitudeDeg) <= 90 &&
                   std::fabs(feature.LongitudeDeg) <= 180);
    }
    return 0;
}
