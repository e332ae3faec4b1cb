// tidewell-almanac features: every feature of the file listed with a sunrise and sunset after
// the selected moment or the placeholder; the polar craters finish; bad operands refused.

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "almanac_run.h"

namespace {

TRun Features(const std::vector<std::string>& words) {
    return Almanac(words);
}

} // namespace

TEST(FeaturesCommand, EveryCraterListedWithATimeOrThePlaceholder) {
    const TRun run = Features({"features", "Craters", "--at", "2026-03-20 22:15"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    ASSERT_GT(run.Lines.size(), 1000u);
    EXPECT_EQ(run.Lines[0], "Name,Sunrise,Sunset");
    const std::regex row(R"(^("[^"]*"|[^,]*),(\d\d:\d\d  \d\d [A-Za-z]+ \d{4}|-----),)"
                         R"((\d\d:\d\d  \d\d [A-Za-z]+ \d{4}|-----)$)");
    int placeholders = 0;
    for (size_t i = 1; i < run.Lines.size(); ++i) {
        EXPECT_TRUE(std::regex_match(run.Lines[i], row)) << run.Lines[i];
        placeholders += run.Lines[i].find("-----") != std::string::npos;
    }
    // Only the few craters by the poles can lack an event.
    EXPECT_LT(placeholders, 10);
    for (const char* polar : {"Shackleton,", "Hinshelwood,", "Marvin,"}) {
        bool found = false;
        for (const std::string& line : run.Lines)
            found = found || line.rfind(polar, 0) == 0;
        EXPECT_TRUE(found) << polar;
    }
}

TEST(FeaturesCommand, CopernicusSunriseTwoDaysAfterFirstQuarter) {
    // First quarter 2026 March 25, 19:18 UT: the terminator (colongitude 0) is near the
    // central meridian; Copernicus (20.0 W) sees sunrise at colongitude 20, some 1.6 days later.
    const TRun run = Features({"features", "Craters", "--at", "2026-03-20 22:15"});
    bool found = false;
    for (const std::string& line : run.Lines) {
        if (line.rfind("Copernicus,", 0) != 0) continue;
        found = true;
        EXPECT_NE(line.find("27 March 2026"), std::string::npos) << line;
    }
    EXPECT_TRUE(found);
}

TEST(FeaturesCommand, BadOperandsAreRefused) {
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"features", "Craters"},
          {"features", "Craters", "--at", "2026-02-30 10:00"},
          {"features", "Craters", "--at", "2026-03-20 24:00"},
          {"features", "Craters", "--at", "2026-3-20 10:00"},
          {"features", "Cheese", "--at", "2026-03-20 10:00"},
          {"features", "--at", "2026-03-20 10:00"}}) {
        const TRun run = Features(words);
        EXPECT_EQ(run.Status, 2) << words.back();
        EXPECT_FALSE(run.Err.empty());
    }
}
