// SPDX-License-Identifier: GPL-3.0-or-later
// tidewell-almanac terminator: the night's preamble, the CSV of both sides in order of the
// Sun's altitude, the size filter, the moonless night, and bad options refused.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "almanac_run.h"
#include "engine/date_time.h"

namespace {

TRun Terminator(std::vector<std::string> words) {
    words.insert(words.begin(), {"--lat", "50", "--lon", "10", "--zone", "60", "--no-dst"});
    return Almanac(words);
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, ',');)
        fields.push_back(field);
    return fields;
}

// The data rows (after the header) as fields.
std::vector<std::vector<std::string>> Rows(const TRun& run) {
    std::vector<std::vector<std::string>> rows;
    bool header = false;
    for (const std::string& line : run.Lines) {
        if (header) rows.push_back(Fields(line));
        header = header || line.rfind("Side,Name,SunAltitudeDeg,DiameterKm", 0) == 0;
    }
    return rows;
}

} // namespace

TEST(TerminatorCommand, FirstQuarterEveningPreambleAndRowsInOrder) {
    const TRun run = Terminator({"terminator", "--date", "2026-03-25", "--files", "Craters,Mare"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    ASSERT_GT(run.Lines.size(), 8u);
    EXPECT_EQ(run.Lines[0], "# Night,2026-03-25");
    EXPECT_EQ(run.Lines[1], "# Sky,Dark");
    EXPECT_EQ(run.Lines[2].rfind("# Best,2026-03-25 19:", 0), 0u) << run.Lines[2];
    EXPECT_EQ(run.Lines[3].rfind("# Start,2026-03-25 ", 0), 0u) << run.Lines[3];
    EXPECT_EQ(run.Lines[4].rfind("# End,2026-03-26 0", 0), 0u) << run.Lines[4];
    const auto rows = Rows(run);
    ASSERT_GT(rows.size(), 10u);
    std::string side = "Sunrise";
    double previous = -1.0;
    bool albategnius = false;
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 7u);
        if (row[0] != side) {
            EXPECT_EQ(side, "Sunrise"); // the sunrise side first, then the sunset side
            side = row[0];
            previous = -1.0;
        }
        const double altitude = std::stod(row[2]);
        EXPECT_GE(altitude, previous) << row[1];
        EXPECT_LE(altitude, 5.0);
        EXPECT_GE(std::stod(row[3]), 20.0) << row[1];
        EXPECT_TRUE(row[4] == "Craters" || row[4] == "Mare");
        previous = altitude;
        albategnius = albategnius || (row[1] == "Albategnius" && row[0] == "Sunrise");
    }
    EXPECT_TRUE(albategnius);
}

TEST(TerminatorCommand, SizeFilterAndMoonlessNight) {
    const TRun small = Terminator({"terminator", "--date", "2026-03-25", "--min-km", "0"});
    const TRun big = Terminator({"terminator", "--date", "2026-03-25", "--min-km", "100.5"});
    ASSERT_EQ(small.Status, 0) << small.Err;
    ASSERT_EQ(big.Status, 0) << big.Err;
    EXPECT_GT(Rows(small).size(), Rows(big).size());
    for (const auto& row : Rows(big))
        EXPECT_GE(std::stod(row[3]), 100.5) << row[1];

    const TRun none = Terminator({"terminator", "--date", "2026-03-19"}); // new moon
    ASSERT_EQ(none.Status, 0) << none.Err;
    EXPECT_EQ(none.Lines[1], "# Sky,None");
    EXPECT_EQ(none.Lines[2], "# no dark sky with the Moon up tonight");
    EXPECT_TRUE(Rows(none).empty());
}

TEST(TerminatorCommand, BadOptionsAreUsageErrors) {
    for (const auto& words : std::vector<std::vector<std::string>>{
             {"terminator", "--files", "Craters,Nowhere"},
             {"terminator", "--files", "Craters,,Mare"},
             {"terminator", "--min-km", "-3"},
             {"terminator", "--min-km", "ten"},
             {"terminator", "--date", "2026-02-30"},
             {"terminator", "2026-03-25"},
         }) {
        const TRun run = Terminator(words);
        EXPECT_EQ(run.Status, 2) << words.back();
        EXPECT_FALSE(run.Err.empty());
    }
}

// Every row, on a waxing evening and a waning morning, read against the Moon at the night's
// best moment: the Sun's altitude over the feature from the colongitude and the Sun's
// selenographic latitude (Meeus, ch. 53), the side from whether that altitude is growing,
// and the feature on the hemisphere that faces the Earth (the librations give its centre).
TEST(TerminatorCommand, EveryRowIsOnTheTerminatorOnTheSideFacingUs) {
    constexpr double kRad = 3.14159265358979323846 / 180.0;
    for (const char* date : {"2026-03-25", "2026-04-03"}) {
        const TRun run = Terminator({"terminator", "--date", date, "--min-km", "0"});
        ASSERT_EQ(run.Status, 0) << run.Err;
        int year = 0, month = 0, day = 0, hour = 0, minute = 0;
        ASSERT_EQ(std::sscanf(run.Lines.at(2).c_str(), "# Best,%d-%d-%d %d:%d", &year, &month, &day,
                              &hour, &minute),
                  5)
            << run.Lines.at(2);
        const TRun moon = Almanac(
            {"moon", std::to_string(JulianDayOf(year, month, day, hour, minute) - 60 / 1440.0)});
        const std::vector<std::string> names = Fields(moon.Lines.at(0));
        const std::vector<std::string> values = Fields(moon.Lines.at(1));
        const auto value = [&](const char* name) {
            return std::stod(
                values.at(std::find(names.begin(), names.end(), name) - names.begin()));
        };
        const double colongitude = value("Colongitude"), b0 = value("SubSolarLatRad");
        const double librationLat = value("LibrationLat") * kRad;
        const auto rows = Rows(run);
        ASSERT_GT(rows.size(), 20u) << date;
        for (const auto& row : rows) {
            const double lat = std::stod(row[5]) * kRad, lon = std::stod(row[6]);
            const double c = (colongitude + lon) * kRad;
            const double sunAltitude = std::asin(std::sin(b0) * std::sin(lat) +
                                                 std::cos(b0) * std::cos(lat) * std::sin(c));
            EXPECT_NEAR(sunAltitude / kRad, std::stod(row[2]), 0.05) << row[1];
            EXPECT_EQ(row[0], std::cos(c) > 0 ? "Sunrise" : "Sunset") << row[1];
            EXPECT_GT(std::sin(librationLat) * std::sin(lat) +
                          std::cos(librationLat) * std::cos(lat) *
                              std::cos((lon - value("LibrationLong")) * kRad),
                      0)
                << row[1];
        }
    }
}
