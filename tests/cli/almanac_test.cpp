#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <utility>
#include <vector>

#include "almanac_run.h"
#include "cli/csv_writer.h"
#include "engine/sidereal_time.h"

namespace {

// The CSV as rows of name -> value.
std::vector<std::map<std::string, std::string>> ReadCsv(const std::string& text) {
    std::istringstream in(text);
    std::string line;
    std::getline(in, line);
    const std::vector<std::string> header = SplitCsv(line);
    std::vector<std::map<std::string, std::string>> rows;
    while (std::getline(in, line)) {
        const std::vector<std::string> fields = SplitCsv(line);
        EXPECT_EQ(fields.size(), header.size()) << line;
        std::map<std::string, std::string> row;
        for (size_t i = 0; i < header.size() && i < fields.size(); ++i)
            row[header[i]] = fields[i];
        rows.push_back(row);
    }
    return rows;
}

double Num(const std::map<std::string, std::string>& row, const std::string& column) {
    const auto it = row.find(column);
    if (it == row.end()) {
        ADD_FAILURE() << "no column " << column;
        return NAN;
    }
    return std::stod(it->second);
}

constexpr double kRad = 3.14159265358979323846 / 180.0;

TEST(AlmanacMoon, HeaderAndBookValuesThroughTheCommandLine) {
    const TRun run = Almanac({"moon", "2448724.5", "2446895.5", "2448908.5", "2451545"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    const std::string header = run.Out.substr(0, run.Out.find('\n'));
    EXPECT_EQ(header,
              "JD,Latitude,Longitude,ApparentLongitude,DistanceKm,Parallax,Altitude,Azimuth,"
              "SemiDiameter,BrightLimbAngle,PhaseAngle,RADeg,DecDeg,TopoRADeg,TopoDecDeg,"
              "Illumination,LibrationLat,LibrationLong,AxisAngle,Colongitude,SubSolarLatRad,"
              "SunTrueLongitude,SunLatitude,SunApparentLongitude,SunAltitude,SunAzimuth,"
              "SunDistanceKm,SunRADeg,SunDecDeg,DeltaPsi,DeltaEps,TrueObliquityDeg");
    const auto rows = ReadCsv(run.Out);
    ASSERT_EQ(rows.size(), 4u);

    // Meeus, Astronomical Algorithms, ex. 47.a, 48.a and 53.a: 1992 April 12, 0h.
    const auto& m = rows[0];
    EXPECT_NEAR(Num(m, "Longitude") / kRad, 133.162655, 1e-5);
    EXPECT_NEAR(Num(m, "Latitude") / kRad, -3.229126, 1e-5);
    EXPECT_NEAR(Num(m, "DistanceKm"), 368409.7, 0.1);
    EXPECT_NEAR(Num(m, "Parallax"), 0.991990, 1e-5);
    EXPECT_NEAR(Num(m, "RADeg"), 134.688470, 1e-4);
    EXPECT_NEAR(Num(m, "DecDeg"), 13.768368, 1e-4);
    EXPECT_EQ(Num(m, "Illumination"), 68); // k = 0.6786
    // The stored librations are topocentric; they differ from the book's geocentric
    // values by at most the parallax.
    EXPECT_NEAR(Num(m, "LibrationLong"), -1.206, 1.0);
    EXPECT_NEAR(Num(m, "LibrationLat"), 4.194, 1.0);
    EXPECT_NEAR(Num(m, "AxisAngle"), 15.08, 1.0);

    // Meeus ex. 22.a: 1987 April 10, 0h.
    const auto& n = rows[1];
    EXPECT_NEAR(Num(n, "DeltaPsi"), -3.788, 0.001);
    EXPECT_NEAR(Num(n, "DeltaEps"), 9.443, 0.001);
    EXPECT_NEAR(Num(n, "TrueObliquityDeg"), 23.44357, 1e-5);

    // Meeus ex. 25.b: the Sun on 1992 October 13, 0h.
    const auto& s = rows[2];
    EXPECT_NEAR(Num(s, "SunTrueLongitude"), 199.90735, 1e-4);
    EXPECT_NEAR(Num(s, "SunApparentLongitude"), 199.90606, 1e-4);
    EXPECT_NEAR(Num(s, "SunDistanceKm"), 149240025, 200);
    EXPECT_NEAR(Num(s, "SunRADeg"), 198.37818, 1e-4);
    EXPECT_NEAR(Num(s, "SunDecDeg"), -7.78387, 1e-4);

    // Numbers carry 17 significant digits, enough to read the double back exactly.
    EXPECT_EQ(rows[3].at("JD"), "2451545");
    EXPECT_EQ(FormatNumber(0.1), "0.10000000000000001");
}

TEST(AlmanacMoon, ObserverUnderTheMoonSeesTheGeocentricLibrations) {
    // With the Moon in the zenith the topocentric corrections vanish (Meeus ch. 53), so the
    // book's geocentric values of ex. 53.a come through.
    const double eastLongitude = -(SiderealTimeAt(2448724.5) - 134.688470);
    const TRun run =
        Almanac({"--lat", "13.768368", "--lon", FormatNumber(eastLongitude), "moon", "2448724.5"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    const auto rows = ReadCsv(run.Out);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_NEAR(Num(rows[0], "Altitude"), 90.0, 0.01);
    EXPECT_NEAR(Num(rows[0], "LibrationLong"), -1.23, 0.005);
    EXPECT_NEAR(Num(rows[0], "LibrationLat"), 4.20, 0.005);
    EXPECT_NEAR(Num(rows[0], "AxisAngle"), 15.08, 0.005);
}

TEST(AlmanacMoon, FileInputMatchesOperands) {
    const std::string path = testing::TempDir() + "/almanac_days.txt";
    FILE* f = std::fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("# instants\n2448724.5\n\n2451545\n", f);
    std::fclose(f);
    const TRun fromFile = Almanac({"moon", "--file", path});
    const TRun fromArgs = Almanac({"moon", "2448724.5", "2451545"});
    ASSERT_EQ(fromFile.Status, 0) << fromFile.Err;
    EXPECT_EQ(fromFile.Out, fromArgs.Out);
}

TEST(AlmanacPhases, Year1977HoldsTheBookPhases) {
    const TRun run = Almanac({"phases", "1977", "1977"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    const auto rows = ReadCsv(run.Out);
    ASSERT_GE(rows.size(), 48u);
    ASSERT_LE(rows.size(), 51u);
    bool newMoon = false;
    bool firstQuarter = false;
    double previous = 0;
    for (const auto& row : rows) {
        const double jd = Num(row, "JDLocal");
        EXPECT_GT(jd, previous) << "phases out of order at K " << row.at("K");
        previous = jd;
        if (row.at("K") == "-283") {
            newMoon = true;
            EXPECT_EQ(row.at("PhaseType"), "0");
            EXPECT_NEAR(jd, 2443192.65118, 2e-5); // Meeus ex. 49.a
            EXPECT_EQ(row.at("Text"), "03:37  18 February 1977");
        }
        if (row.at("K") == "-283.75") {
            firstQuarter = true;
            EXPECT_EQ(row.at("PhaseType"), "3");
            EXPECT_NEAR(jd, 2443170.7169, 1e-3);
        }
    }
    EXPECT_TRUE(newMoon);
    EXPECT_TRUE(firstQuarter);
}

TEST(AlmanacPhases, ZoneShiftsLocalTimes) {
    const auto utc = ReadCsv(Almanac({"phases", "1977"}).Out);
    const auto east = ReadCsv(Almanac({"--zone", "120", "phases", "1977"}).Out);
    ASSERT_FALSE(utc.empty());
    ASSERT_FALSE(east.empty());
    // The same phase (matched by K) is two hours later on the clock.
    for (const auto& e : east)
        for (const auto& u : utc)
            if (u.at("K") == e.at("K")) {
                EXPECT_NEAR(Num(e, "JDLocal") - Num(u, "JDLocal"), 2.0 / 24.0, 1e-9);
            }
}

TEST(AlmanacNow, ReportsMoonSunAndPhases) {
    const TRun run = Almanac({"--lat", "51.48", "--lon", "-0.1", "now"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    for (const char* text : {"Phase:", "Age:", "Visible:", "Distance:", "R.A.", "Dec.", "Libration",
                             "Colongitude:", "Sun", "Phases of "})
        EXPECT_THAT(run.Out, testing::HasSubstr(text));
}

TEST(AlmanacRiseSet, OneRowPerDayWithLondonSunTimes) {
    const TRun run = Almanac({"--lat", "51.5", "--lon", "0", "riseset", "2026", "12"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    const auto rows = ReadCsv(run.Out);
    ASSERT_EQ(rows.size(), 31u);
    // Published for London, 1 December 2026: sunrise 07:43, sunset 15:55 GMT.
    EXPECT_EQ(rows[0].at("Day"), "1");
    EXPECT_THAT(rows[0].at("SunRise"), testing::AnyOf("07:42", "07:43", "07:44"));
    EXPECT_THAT(rows[0].at("SunSet"), testing::AnyOf("15:54", "15:55", "15:56"));
    for (const auto& row : rows) {
        // Twilights nest around the day: astronomical before nautical before civil before
        // sunrise, and the reverse at dusk (texts HH:MM compare as times).
        EXPECT_LT(row.at("AstroStart"), row.at("NauticalStart")) << row.at("Day");
        EXPECT_LT(row.at("NauticalStart"), row.at("CivilStart")) << row.at("Day");
        EXPECT_LT(row.at("CivilStart"), row.at("SunRise")) << row.at("Day");
        EXPECT_LT(row.at("SunSet"), row.at("CivilEnd")) << row.at("Day");
        EXPECT_LT(row.at("CivilEnd"), row.at("NauticalEnd")) << row.at("Day");
        EXPECT_LT(row.at("NauticalEnd"), row.at("AstroEnd")) << row.at("Day");
        const double illumination = Num(row, "Illumination");
        EXPECT_GE(illumination, 0);
        EXPECT_LE(illumination, 100);
    }
}

TEST(AlmanacRiseSet, YearIsTheTwelveMonthsUnderOneHeader) {
    // Leap years, the calendar reform's short October, the calendar's first and last years,
    // far north and south, whole and half-hour zones.
    const std::vector<std::vector<std::string>> cases = {
        {"--lat", "51.4769", "--lon", "0", "2026"},
        {"--lat", "69.65", "--lon", "18.96", "--zone", "60", "--dst", "2024"},
        {"--lat", "-78", "--lon", "166", "--zone", "720", "1582"},
        {"--lat", "-33.9", "--lon", "18.4", "--zone", "-570", "1"},
        {"--lat", "40.5", "--lon", "-74", "--zone", "-300", "9999"},
    };
    for (std::vector<std::string> words : cases) {
        words.insert(words.end() - 1, "riseset");
        const TRun year = Almanac(words);
        ASSERT_EQ(year.Status, 0) << year.Err;
        std::string months;
        words.emplace_back();
        for (int month = 1; month <= 12; ++month) {
            words.back() = std::to_string(month);
            const std::string out = Almanac(words).Out;
            months += month == 1 ? out : out.substr(out.find('\n') + 1);
        }
        EXPECT_EQ(year.Out, months) << words[words.size() - 2];
    }
}

TEST(AlmanacYearly, ApsidesEclipsesSeasonsEasterFromTheBook) {
    // Meeus ex. 50.a: apogee 1988 October 7, 20:30; the next perigee October 23.
    const auto apsides = ReadCsv(Almanac({"apsides", "1988"}).Out);
    ASSERT_EQ(apsides.size(), 12u);
    EXPECT_EQ(apsides[9].at("Month"), "10");
    EXPECT_EQ(apsides[9].at("ApogeeTime"), "20:30  07 Oct  ");
    EXPECT_EQ(apsides[9].at("PerigeeDistance"), "361113 km  ");
    EXPECT_NEAR(Num(apsides[9], "ApogeeJD"), 2447442.3543, 1e-4);
    // The number columns hold bare numbers; each shown distance is one to the nearest km.
    for (const auto& row : apsides)
        for (const std::string which : {"Perigee", "Apogee"}) {
            const double km = Num(row, which + "DistanceKm");
            EXPECT_EQ(row.at(which + "DistanceKm"), FormatNumber(km));
            EXPECT_EQ(row.at(which + "Distance"), std::to_string(std::llround(km)) + " km  ");
        }

    // 1997: partial eclipse of March 24 and Meeus ex. 54.b, the total one of September 16.
    const auto eclipses = ReadCsv(Almanac({"eclipses", "1997", "1997"}).Out);
    ASSERT_EQ(eclipses.size(), 2u);
    EXPECT_EQ(eclipses[0].at("EclipseType"), "2");
    EXPECT_EQ(eclipses[0].at("TotStart"), "");
    EXPECT_EQ(Num(eclipses[0], "ContactU2"), 0);
    EXPECT_EQ(eclipses[1].at("EclipseType"), "3");
    EXPECT_EQ(eclipses[1].at("DateText"), "16 September 1997");
    EXPECT_NEAR(Num(eclipses[1], "Gamma"), -0.3791, 1e-4);
    EXPECT_NEAR(Num(eclipses[1], "UmbralMag"), 1.1868, 1e-3);
    for (const auto& e : eclipses) {
        double previous = 0;
        for (const char* contact : {"ContactP1", "ContactU1", "ContactU2", "ContactMax",
                                    "ContactU3", "ContactU4", "ContactP4"}) {
            const double jd = Num(e, contact);
            if (jd == 0) continue;
            EXPECT_GT(jd, previous) << contact;
            previous = jd;
        }
    }

    // Meeus ex. 27.a: June solstice 1962 at JDE 2437837.39245 (to a minute).
    const auto seasons = ReadCsv(Almanac({"--lat", "-33", "seasons", "1962", "1963"}).Out);
    ASSERT_EQ(seasons.size(), 8u);
    EXPECT_EQ(seasons[1].at("Event"), "June solstice");
    EXPECT_NEAR(Num(seasons[1], "JDE"), 2437837.39245, 1.0 / 1440);
    EXPECT_EQ(seasons[1].at("Season"), "Winter"); // southern hemisphere
    double year = 0;
    for (const auto& row : seasons) {
        year += Num(row, "LengthDays") / 2.0;
        EXPECT_GT(Num(row, "LengthDays"), 88.0);
        EXPECT_LT(Num(row, "LengthDays"), 95.0);
    }
    EXPECT_NEAR(year, 365.2422, 0.05); // each length is cut to 0.01 day

    const TRun easter = Almanac({"easter", "1991", "1993"});
    EXPECT_EQ(easter.Out, "Year,Easter\n1991,31 March 1991\n1992,19 April 1992\n"
                          "1993,11 April 1993\n");
}

TEST(AlmanacDateInfo, IsoWeeksAndDayNumbers) {
    const auto rows =
        ReadCsv(Almanac({"dateinfo", "1978-11-14", "2008-12-29", "2005-01-02", "2026-12-25"}).Out);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].at("DayNumber"), "318"); // Meeus ch. 7
    EXPECT_EQ(rows[0].at("JulianDay"), "2443826.5");
    EXPECT_THAT(rows[1].at("Week"), testing::HasSubstr("(2009-W1-1)"));
    EXPECT_THAT(rows[2].at("Week"), testing::HasSubstr("(2004-W53-7)"));
    EXPECT_EQ(rows[3].at("DaysTillXmas"), "0");
    EXPECT_EQ(rows[2].at("WeekYear") + "-W" + rows[2].at("WeekNumber") + "-" +
                  rows[2].at("Weekday"),
              "2004-W53-7");
}

TEST(AlmanacErrors, OneLineOnStderrAndStatusTwo) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"tide"},
        {"moon"},
        {"moon", "abc"},
        {"moon", "2451545x"},
        {"moon", "99999999"},
        {"moon", "--file", "/nonexistent/days.txt"},
        {"phases"},
        {"phases", "0"},
        {"phases", "10000"},
        {"phases", "1977.5"},
        {"phases", "1978", "1977"},
        {"--lat", "91", "now"},
        {"--lon", "east", "now"},
        {"--zone", "30.5", "now"},
        {"--zone"},
        {"--colour", "now"},
        {"now", "extra"},
        {"riseset", "2026", "1", "2"},
        {"riseset", "10000"},
        {"riseset", "2026", "13"},
        {"apsides", "1988", "x"},
        {"eclipses", "1997"},
        {"seasons", "-5"},
        {"easter", "1991", "1990"},
        {"dateinfo"},
        {"dateinfo", "2023-02-29"},
        {"dateinfo", "2023-2-1"},
        {"dateinfo", "0000-01-01"},
    };
    for (const auto& words : bad) {
        const TRun run = Almanac(words);
        std::string line;
        for (const auto& w : words)
            line += w + " ";
        EXPECT_EQ(run.Status, 2) << line;
        EXPECT_TRUE(run.Out.empty()) << line;
        EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << line << run.Err;
    }
}

TEST(AlmanacErrors, ZoneBoundsAreInclusive) {
    // UTC-12 and UTC+14 are the extreme zones in use; a minute beyond is refused.
    for (const char* zone : {"-720", "840", "0"})
        EXPECT_EQ(Almanac({"--zone", zone, "phases", "2000"}).Status, 0) << zone;
    for (const char* zone : {"-721", "841"}) {
        const TRun run = Almanac({"--zone", zone, "phases", "2000"});
        EXPECT_EQ(run.Status, 2) << zone;
        EXPECT_THAT(run.Err, testing::HasSubstr("--zone must lie between -720 and 840")) << zone;
    }
}

TEST(AlmanacNow, ZoneTextWithHalfHoursAndDaylightSaving) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--zone", "-570", "now"}, "(UTC-09:30)"}, // the Marquesas
        {{"--zone", "-30", "now"}, "(UTC-00:30)"},
        {{"--zone", "330", "--dst", "now"}, "(UTC+06:30)"},
        {{"--zone", "-600", "--dst", "now"}, "(UTC-09:00)"},
        {{"now"}, "(UTC+00:00)"},
    };
    for (const auto& [words, text] : cases) {
        const TRun run = Almanac(words);
        ASSERT_EQ(run.Status, 0) << text;
        EXPECT_THAT(run.Out.substr(0, run.Out.find('\n')), testing::HasSubstr(text));
    }
}

TEST(AlmanacCsv, FieldsWithCommasQuotesAndLineBreaksAreQuoted) {
    // RFC 4180: such a field is enclosed in quotes, and a quote inside it is doubled.
    EXPECT_EQ(CsvField("Full Moon"), "Full Moon");
    EXPECT_EQ(CsvField(""), "");
    EXPECT_EQ(CsvField("12 June, 1900"), "\"12 June, 1900\"");
    EXPECT_EQ(CsvField("Hunter's \"Moon\""), "\"Hunter's \"\"Moon\"\"\"");
    EXPECT_EQ(CsvField("\""), "\"\"\"\"");
    EXPECT_EQ(CsvField("a\nb"), "\"a\nb\"");
    EXPECT_EQ(CsvField("a\rb"), "\"a\rb\"");
    std::ostringstream out;
    WriteCsvRow(out, {"x", "say \"hi\", then go", "", "y"});
    EXPECT_EQ(out.str(), "x,\"say \"\"hi\"\", then go\",,y\n");
    EXPECT_EQ(SplitCsv(out.str().substr(0, out.str().size() - 1)),
              (std::vector<std::string>{"x", "say \"hi\", then go", "", "y"}));
}

TEST(AlmanacHelp, ListsEveryCommandAndOption) {
    const TRun run = Almanac({"--help"});
    EXPECT_EQ(run.Status, 0);
    int count = 0;
    const TAlmanacCommand* commands = AlmanacCommands(count);
    for (int i = 0; i < count; ++i)
        EXPECT_THAT(run.Out, testing::HasSubstr(commands[i].Name));
    for (const char* option : {"--lat", "--lon", "--zone", "--dst", "--file"})
        EXPECT_THAT(run.Out, testing::HasSubstr(option));
}

#ifdef ALMANAC_PATH
TEST(AlmanacProgram, ExitStatusOfTheRealProgram) {
    // A fresh configuration folder, so the user's own settings are never read.
    const std::string program =
        "XDG_CONFIG_HOME=" + testing::TempDir() + "/almanac-config " + ALMANAC_PATH;
    EXPECT_EQ(std::system((program + " --help > /dev/null").c_str()), 0);
    const int status = std::system((program + " phases 0 > /dev/null 2>&1").c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
}
#endif

} // namespace
