// SPDX-License-Identifier: GPL-3.0-or-later
// The texts a time zone is read from, over arbitrary bytes: a zoneinfo file's closing rule
// ("EST5EDT,M3.2.0,M11.1.0"), the rows of zone1970.tab, and the TZ variable or localtime link.
// Properties: a rule that reads has offsets within a day and answers every instant with one of
// its own sides; every table row has a well-formed zone and coordinates on the globe; a
// system zone name is well formed or empty.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/observer_zone.h"
#include "engine/system_zone.h"
#include "engine/zone_rule.h"
#include "fuzz_check.h"

namespace {

constexpr int LongestOffsetSeconds = 25 * 3600;

void CheckRule(std::string_view text) {
    const auto rule = ParseZoneRule(text);
    if (!rule) return;
    FUZZ_CHECK(std::abs(rule->Standard.OffsetSeconds) < LongestOffsetSeconds);
    FUZZ_CHECK(!rule->Daylight || std::abs(rule->Daylight->OffsetSeconds) < LongestOffsetSeconds);
    // 1900, 2026, 2100 and 9999, at midnight UT.
    for (const std::int64_t at : {-2208988800LL, 1767225600LL, 4102444800LL, 253402214400LL}) {
        const TZoneRuleState state = ZoneRuleAt(*rule, at);
        FUZZ_CHECK(state.Part == (state.IsDaylight ? &*rule->Daylight : &rule->Standard));
    }
}

void CheckTable(std::string_view text) {
    for (const TZoneCity& row : ParseZoneTable(text)) {
        FUZZ_CHECK(IsWellFormedZoneName(row.ZoneName));
        FUZZ_CHECK(std::abs(row.LatitudeDeg) <= 90 && std::abs(row.LongitudeEastDeg) <= 180);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckRule(text);
    CheckTable(text);
    for (const std::string& name :
         {SystemZoneNameFrom(text.c_str(), ""), SystemZoneNameFrom(nullptr, text)})
        FUZZ_CHECK(name.empty() || IsWellFormedZoneName(name));
    return 0;
}
