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

double Degrees(const TFeatureRow& row, int first) {
    return std::stoi(row[first]) + std::stoi(row[first + 1]) / 60.0 +
           std::stoi(row[first + 2]) / 3600.0;
}

const TFeatureRow* Find(const TFeatureTable& table, std::string_view name) {
    for (const TFeatureRow& row : table.Rows)
        if (row[FeatureName] == name) return &row;
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
        for (const TFeatureRow& row : table.Rows) {
            ASSERT_TRUE(row[FeatureLatDir] == "N" || row[FeatureLatDir] == "S") << row[0];
            ASSERT_TRUE(row[FeatureLongDir] == "E" || row[FeatureLongDir] == "W") << row[0];
            ASSERT_LE(std::stoi(row[FeatureLatMin]), 59);
            ASSERT_LE(std::stoi(row[FeatureLongSec]), 59);
            ASSERT_LE(Degrees(row, FeatureLatDeg), 90.0);
            ASSERT_LE(Degrees(row, FeatureLongDeg), 180.0);
        }
    }
    EXPECT_EQ(total, 2010);

    TFeatureTable craters;
    LoadFeatureFile(craters, "Craters", TIDEWELL_FEATURE_DATA_DIR);
    const TFeatureRow* copernicus = Find(craters, "Copernicus");
    ASSERT_TRUE(copernicus);
    EXPECT_EQ((*copernicus)[FeatureLatDir], "N");
    EXPECT_NEAR(Degrees(*copernicus, FeatureLatDeg), 9.62, 0.005);
    EXPECT_EQ((*copernicus)[FeatureLongDir], "W");
    EXPECT_NEAR(Degrees(*copernicus, FeatureLongDeg), 20.08, 0.005);
    EXPECT_NEAR(std::stod((*copernicus)[FeatureDiameter]), 96.0, 1.0);
    const TFeatureRow* tycho = Find(craters, "Tycho");
    ASSERT_TRUE(tycho);
    EXPECT_EQ((*tycho)[FeatureLatDir], "S");
    EXPECT_NEAR(Degrees(*tycho, FeatureLatDeg), 43.30, 0.01);
    EXPECT_EQ((*tycho)[FeatureLongDir], "W");
    EXPECT_NEAR(Degrees(*tycho, FeatureLongDeg), 11.22, 0.01);
    // Names outside the code page are spelt without their accents.
    const TFeatureRow* andel = Find(craters, "Andel");
    ASSERT_TRUE(andel);
    EXPECT_EQ((*andel)[FeatureLatDir], "S");

    TFeatureTable sites;
    LoadFeatureFile(sites, "Landing Sites", TIDEWELL_FEATURE_DATA_DIR);
    const TFeatureRow* apollo11 = Find(sites, "Apollo 11");
    ASSERT_TRUE(apollo11);
    EXPECT_EQ((*apollo11)[FeatureLatDir], "N");
    EXPECT_EQ((*apollo11)[FeatureLatMin], "40");
    EXPECT_EQ((*apollo11)[FeatureLatSec], "12");
    EXPECT_EQ((*apollo11)[FeatureLongDir], "E");
    EXPECT_EQ((*apollo11)[FeatureLongDeg], "23");
    EXPECT_EQ((*apollo11)[FeatureLongMin], "28");
    EXPECT_EQ((*apollo11)[FeatureDiameter], "0");
    EXPECT_EQ((*apollo11)[FeatureComments], "Crewed landing, Tranquility Base, 20 July 1969");
}

} // namespace

#endif
