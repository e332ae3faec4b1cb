// SPDX-License-Identifier: GPL-3.0-or-later
// tidewell-almanac features: every feature of the file listed with a sunrise and sunset after
// the selected moment or the placeholder; the polar craters finish; bad operands refused.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

#include <unistd.h>

#include "almanac_run.h"
#include "engine/date_time.h"
#include "engine/regional_names.h"

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

TEST(FeaturesCommand, NothingAfterTheLastYearOfTheCalendar) {
    const TRun run = Features({"features", "Mare", "--at", "9999-12-31 23:59"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    ASSERT_GT(run.Lines.size(), 10u);
    for (size_t i = 1; i < run.Lines.size(); ++i)
        EXPECT_EQ(run.Lines[i].substr(run.Lines[i].find(',')), ",-----,-----") << run.Lines[i];
    // A moonless last night has no next one to name.
    const TRun last = Almanac({"--lat", "50", "--lon", "10", "--zone", "60", "--no-dst",
                               "terminator", "--date", "9999-12-31"});
    EXPECT_NE(last.Out.find("# Sky,None\n"), std::string::npos) << last.Out;
    EXPECT_EQ(last.Out.find("NextNight"), std::string::npos) << last.Out;
}

// A copy of the program beside a Data folder of its own, whose Mare file is damaged; run from a
// working folder whose sound Data folder must not be read instead.
TEST(FeaturesCommand, DamagedFilesAreNamed) {
    namespace fs = std::filesystem;
    const fs::path made = testing::TempDir() + "/features-damaged-" + std::to_string(getpid());
    fs::create_directories(made / "bin" / "Data");
    const fs::path folder = fs::canonical(made); // as the program finds its own folder
    fs::copy_file(ALMANAC_PATH, folder / "bin" / "tidewell-almanac");
    std::ofstream(folder / "bin" / "Data" / "Mare.dat", std::ios::binary) << std::string(1000, 'M');
    fs::copy(fs::path(ALMANAC_PATH).parent_path() / ".." / ".." / "Data", folder / "Data");
    const auto errorsOf = [&](const std::string& words) {
        const fs::path err = folder / "err.txt";
        const std::string command = "cd '" + folder.string() +
                                    "' && XDG_CONFIG_HOME=. bin/tidewell-almanac " + words +
                                    " > /dev/null 2> err.txt";
        const int status = std::system(command.c_str());
        std::ifstream in(err);
        return std::make_pair(status, std::string(std::istreambuf_iterator<char>(in), {}));
    };
    const auto [status, damaged] = errorsOf("features Mare --at '2026-03-20 22:15'");
    const auto terminator = errorsOf("terminator --files Mare --date 2026-03-20").second;
    fs::remove_all(folder);
    const std::string named =
        "tidewell-almanac: the feature file " + (folder / "bin" / "Data" / "Mare.dat").string() +
        " is damaged: its 1000 bytes are not a whole number of 368-byte records\n";
    EXPECT_NE(status, 0);
    EXPECT_EQ(damaged, named);
    EXPECT_EQ(terminator, named);
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

// The next sunrise and sunset over a feature come when the Sun's selenographic colongitude
// reaches the feature's west longitude (sunrise) or that plus 180 degrees (sunset), to within
// the tilt the feature's latitude adds (Plato at 52 N: about 1.4 degrees); both come after the
// chosen moment and within a lunation of it.
TEST(FeaturesCommand, SunriseAndSunsetComeAtTheFeaturesColongitude) {
    const std::pair<const char*, double> craters[] = {
        {"Aristarchus", -47.49}, {"Copernicus", -20.08}, {"Grimaldi", -68.36}, {"Langrenus", 61.04},
        {"Petavius", 60.78},     {"Plato", -9.38},       {"Tycho", -11.22}};
    for (const auto& [zone, at] :
         {std::pair{"0", "2026-03-20 22:15"}, {"600", "2026-07-02 03:00"}}) {
        int year = 0, month = 0, day = 0, hour = 0, minute = 0;
        ASSERT_EQ(std::sscanf(at, "%d-%d-%d %d:%d", &year, &month, &day, &hour, &minute), 5);
        const double zoneDays = std::stoi(zone) / 1440.0;
        const double from = JulianDayOf(year, month, day, hour, minute) - zoneDays;
        const TRun run = Almanac({"--zone", zone, "features", "Craters", "--at", at});
        ASSERT_EQ(run.Status, 0) << run.Err;
        for (const auto& [name, eastLongitude] : craters) {
            std::string line;
            for (const std::string& l : run.Lines)
                if (l.rfind(std::string(name) + ",", 0) == 0) line = l;
            const std::vector<std::string> fields = SplitCsv(line);
            ASSERT_EQ(fields.size(), 3u) << name;
            for (const int sunset : {0, 1}) {
                SCOPED_TRACE(line);
                std::smatch m;
                ASSERT_TRUE(std::regex_match(fields[1 + sunset], m,
                                             std::regex(R"((\d\d):(\d\d)  (\d\d) (\w+) (\d{4}))")));
                int shownMonth = 1;
                while (LongMonthName(shownMonth) != m[4].str() && shownMonth < 12)
                    ++shownMonth;
                const double jd = JulianDayOf(std::stoi(m[5]), shownMonth, std::stoi(m[3]),
                                              std::stoi(m[1]), std::stoi(m[2])) -
                                  zoneDays;
                EXPECT_GT(jd, from);
                EXPECT_LT(jd, from + 29.6);
                const TRun moon = Almanac({"moon", std::to_string(jd)});
                const std::vector<std::string> header = SplitCsv(moon.Lines.at(0));
                const auto column = std::find(header.begin(), header.end(), "Colongitude");
                ASSERT_NE(column, header.end());
                const double colongitude =
                    std::stod(SplitCsv(moon.Lines.at(1)).at(column - header.begin()));
                EXPECT_NEAR(std::remainder(colongitude + eastLongitude - 180.0 * sunset, 360.0), 0,
                            1.5);
            }
        }
    }
}
