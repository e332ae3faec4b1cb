// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>

#include "features/feature_file.h"

#if defined(TIDEWELL_FEATURE_DATA_DIR) && defined(TIDEWELL_FEATURE_CSV)

namespace {

// Features per kind, counted from the first column of the source table.
std::map<std::string, int> CountKinds() {
    std::ifstream csv(TIDEWELL_FEATURE_CSV);
    std::map<std::string, int> counts;
    std::string line;
    std::getline(csv, line); // header
    while (std::getline(csv, line))
        if (!line.empty()) ++counts[line.substr(0, line.find(','))];
    return counts;
}

const TFeature* Find(const TFeatureTable& table, std::string_view name) {
    for (const TFeature& feature : table.Features)
        if (feature.Name == name) return &feature;
    return nullptr;
}

TEST(GeneratedFeatureFiles, EveryKindIsCompleteAndKnownFeaturesAreInPlace) {
    const auto counts = CountKinds();
    int total = 0;
    for (std::string_view name : FeatureFileNames) {
        TFeatureTable table;
        LoadFeatureFile(table, name, TIDEWELL_FEATURE_DATA_DIR);
        const auto count = counts.find(std::string(name));
        EXPECT_EQ(table.FeatureCount(), count == counts.end() ? 0 : count->second) << name;
        total += table.FeatureCount();
        for (const TFeature& feature : table.Features) {
            ASSERT_LE(std::fabs(feature.LatitudeDeg), 90.0) << feature.Name;
            ASSERT_LE(std::fabs(feature.LongitudeDeg), 180.0) << feature.Name;
        }
    }
    EXPECT_EQ(total, 2010);

    TFeatureTable craters;
    LoadFeatureFile(craters, "Craters", TIDEWELL_FEATURE_DATA_DIR);
    const TFeature* copernicus = Find(craters, "Copernicus");
    ASSERT_TRUE(copernicus);
    EXPECT_NEAR(copernicus->LatitudeDeg, 9.62, 0.005);
    EXPECT_NEAR(copernicus->LongitudeDeg, -20.08, 0.005);
    EXPECT_NEAR(copernicus->DiameterKm, 96.0, 1.0);
    const TFeature* tycho = Find(craters, "Tycho");
    ASSERT_TRUE(tycho);
    EXPECT_NEAR(tycho->LatitudeDeg, -43.30, 0.01);
    EXPECT_NEAR(tycho->LongitudeDeg, -11.22, 0.01);
    // Names outside the code page are spelt without their accents.
    const TFeature* andel = Find(craters, "Andel");
    ASSERT_TRUE(andel);
    EXPECT_LT(andel->LatitudeDeg, 0.0);

    TFeatureTable sites;
    LoadFeatureFile(sites, "Landing Sites", TIDEWELL_FEATURE_DATA_DIR);
    const TFeature* apollo11 = Find(sites, "Apollo 11");
    ASSERT_TRUE(apollo11);
    EXPECT_NEAR(apollo11->LatitudeDeg, 0.67, 1e-9); // 0 40 12 N, 23 28 12 E
    EXPECT_NEAR(apollo11->LongitudeDeg, 23.47, 1e-9);
    EXPECT_EQ(apollo11->DiameterKm, 0.0);
    EXPECT_EQ(apollo11->Comment, "Crewed landing, Tranquility Base, 20 July 1969");
}

} // namespace

#endif
