// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <regex>
#include <sstream>
#include <utility>
#include <vector>

#include "almanac_run.h"
#include "cli/csv_writer.h"
#include "engine/engine_test_helpers.h"
#include "engine/regional_names.h"
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
    EXPECT_NEAR(Num(m, "PhaseAngle"), 69.0756, 1e-4);
    EXPECT_NEAR(Num(m, "BrightLimbAngle"), 285.0, 0.05);
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

// Altitude and azimuth (from the north, through the east) of a place seen at a local hour
// angle from a latitude (Meeus, ch. 13).
std::pair<double, double> Horizontal(double hourAngleDeg, double decDeg, double latDeg) {
    const double h = hourAngleDeg * kRad, d = decDeg * kRad, phi = latDeg * kRad;
    const double altitude =
        std::asin(std::sin(phi) * std::sin(d) + std::cos(phi) * std::cos(d) * std::cos(h));
    const double azimuth =
        std::atan2(std::sin(h), std::cos(h) * std::sin(phi) - std::tan(d) * std::cos(phi));
    return {altitude / kRad, std::fmod(azimuth / kRad + 540.0, 360.0)};
}

// Every column of the moon listing, at several places and instants, from the others by the
// book's formulas (Meeus, chapters 11, 13, 22, 25, 40, 47, 48, 53 and 55).
TEST(AlmanacMoon, EveryColumnFollowsFromTheOthersByTheBook) {
    const double places[][2] = {{0, 0}, {51.48, -0.1}, {-33.9, 151.2}, {64.1, -21.9}};
    for (const auto& [lat, lon] : places) {
        const TRun run = Almanac({"--lat", FormatNumber(lat), "--lon", FormatNumber(lon), "moon",
                                  "2448724.5", "2440000.7", "2455000.3", "2461382.9"});
        ASSERT_EQ(run.Status, 0) << run.Err;
        for (const auto& r : ReadCsv(run.Out)) {
            SCOPED_TRACE("JD " + r.at("JD") + " at " + FormatNumber(lat));
            const double eps = Num(r, "TrueObliquityDeg") * kRad;
            const double lambda = Num(r, "ApparentLongitude"), beta = Num(r, "Latitude");
            const double ra = Num(r, "RADeg"), dec = Num(r, "DecDeg");
            const double sunRa = Num(r, "SunRADeg"), sunDec = Num(r, "SunDecDeg");
            const double deltaKm = Num(r, "DistanceKm"), sunKm = Num(r, "SunDistanceKm");
            EXPECT_NEAR((lambda - Num(r, "Longitude")) / kRad * 3600, Num(r, "DeltaPsi"), 1e-6);
            const double aberration = 20.4898 / 3600 * 149597870.7 / sunKm;
            EXPECT_NEAR(Num(r, "SunApparentLongitude") - Num(r, "SunTrueLongitude"),
                        Num(r, "DeltaPsi") / 3600 - aberration, 1e-6);
            EXPECT_NEAR(AngleDiff(std::atan2(std::sin(lambda) * std::cos(eps) -
                                                 std::tan(beta) * std::sin(eps),
                                             std::cos(lambda)) /
                                      kRad,
                                  ra),
                        0, 1e-6);
            EXPECT_NEAR(std::asin(std::sin(beta) * std::cos(eps) +
                                  std::cos(beta) * std::sin(eps) * std::sin(lambda)) /
                            kRad,
                        dec, 1e-6);
            const double sunLambda = Num(r, "SunApparentLongitude") * kRad;
            EXPECT_NEAR(
                AngleDiff(std::atan2(std::sin(sunLambda) * std::cos(eps), std::cos(sunLambda)) /
                              kRad,
                          sunRa),
                0, 1e-3);
            EXPECT_NEAR(std::asin(std::sin(eps) * std::sin(sunLambda)) / kRad, sunDec, 1e-3);
            EXPECT_NEAR(std::fabs(Num(r, "SunLatitude")), 0, 3e-4); // under 1.2"
            EXPECT_NEAR(Num(r, "Parallax"), std::asin(6378.14 / deltaKm) / kRad, 1e-9);

            // Phase angle, bright limb and illuminated fraction (Meeus 48.2, 48.3, 48.5, 48.1).
            const double dRa = (sunRa - ra) * kRad, d0 = sunDec * kRad, d = dec * kRad;
            const double psi =
                std::acos(std::sin(d0) * std::sin(d) + std::cos(d0) * std::cos(d) * std::cos(dRa));
            const double phase =
                std::atan2(sunKm * std::sin(psi), deltaKm - sunKm * std::cos(psi)) / kRad;
            EXPECT_NEAR(Num(r, "PhaseAngle"), phase, 1e-6);
            EXPECT_NEAR(AngleDiff(std::atan2(std::cos(d0) * std::sin(dRa),
                                             std::sin(d0) * std::cos(d) -
                                                 std::cos(d0) * std::sin(d) * std::cos(dRa)) /
                                      kRad,
                                  Num(r, "BrightLimbAngle")),
                        0, 1e-6);
            EXPECT_NEAR(Num(r, "Illumination"), 50 * (1 + std::cos(phase * kRad)), 0.5);

            // Topocentric place (Meeus 11.1, 40.2, 40.3), then the horizon (13.5, 13.6).
            const double u = std::atan(0.99664719 * std::tan(lat * kRad));
            const double rhoSin = 0.99664719 * std::sin(u), rhoCos = std::cos(u);
            const double theta = SiderealTimeAt(Num(r, "JD")) + lon;
            const double h = (theta - ra) * kRad, sinPi = std::sin(Num(r, "Parallax") * kRad);
            const double dAlpha = std::atan2(-rhoCos * sinPi * std::sin(h),
                                             std::cos(d) - rhoCos * sinPi * std::cos(h));
            const double topoDec = std::atan2((std::sin(d) - rhoSin * sinPi) * std::cos(dAlpha),
                                              std::cos(d) - rhoCos * sinPi * std::cos(h)) /
                                   kRad;
            EXPECT_NEAR(AngleDiff(ra + dAlpha / kRad, Num(r, "TopoRADeg")), 0, 1e-4);
            EXPECT_NEAR(topoDec, Num(r, "TopoDecDeg"), 1e-4);
            const auto [altitude, azimuth] = Horizontal(h / kRad - dAlpha / kRad, topoDec, lat);
            EXPECT_NEAR(altitude, Num(r, "Altitude"), 1e-3);
            EXPECT_NEAR(AngleDiff(azimuth, Num(r, "Azimuth")), 0, 1e-2);
            const auto [sunAltitude, sunAzimuth] = Horizontal(theta - sunRa, sunDec, lat);
            EXPECT_NEAR(sunAltitude, Num(r, "SunAltitude"), 1e-2); // the Sun's 8.8" parallax
            EXPECT_NEAR(AngleDiff(sunAzimuth, Num(r, "SunAzimuth")), 0, 1e-2);
            // Seen from the place the disc is larger by up to its parallax (Meeus, ch. 55).
            EXPECT_NEAR(Num(r, "SemiDiameter"),
                        358473400 / deltaKm / 3600 * (1 + std::sin(altitude * kRad) * sinPi), 3e-4);

            // The terminator's colongitude is 270 degrees at New Moon and grows with the
            // elongation, less the libration in longitude; the Sun's selenographic latitude
            // stays within the 1.5 degree tilt of the Moon's equator.
            const double elongation = lambda / kRad - Num(r, "SunApparentLongitude");
            EXPECT_NEAR(
                AngleDiff(Num(r, "Colongitude"), elongation + 270 - Num(r, "LibrationLong")), 0,
                1.5);
            EXPECT_LT(std::fabs(Num(r, "SubSolarLatRad")), 1.6 * kRad);
        }
    }
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

// The minutes past local midnight of a Julian Day, and those a shown "HH:MM..." names.
double MinuteOfDay(double jd) {
    return std::fmod(jd + 0.5, 1.0) * 1440;
}
double ShownMinute(const std::string& text) {
    int h = -1, m = -1;
    std::sscanf(text.c_str(), "%d:%d", &h, &m);
    return h * 60 + m;
}
// A shown clock time is its instant's within a minute, across midnight too.
void ExpectClockTime(const std::string& text, double jd, const std::string& what) {
    EXPECT_LE(std::fabs(std::remainder(ShownMinute(text) - MinuteOfDay(jd), 1440)), 1.0)
        << what << " shows " << text << " for JD " << FormatNumber(jd);
}

// Moon listing rows at instants given in local Julian Days.
std::vector<std::map<std::string, std::string>>
MoonAtLocal(const std::vector<std::string>& place, int zone, const std::vector<double>& jds) {
    std::vector<std::string> words = place;
    words.push_back("moon");
    for (double jd : jds)
        words.push_back(FormatNumber(jd - zone / 1440.0));
    return ReadCsv(Almanac(words).Out);
}

TEST(AlmanacPhases, Year1977HoldsTheBookPhases) {
    const TRun run = Almanac({"phases", "1977", "1977"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    const auto rows = ReadCsv(run.Out);
    ASSERT_GE(rows.size(), 48u);
    ASSERT_LE(rows.size(), 51u);
    std::vector<double> instants;
    for (const auto& row : rows)
        instants.push_back(Num(row, "JDLocal"));
    const auto moon = MoonAtLocal({}, 0, instants);
    ASSERT_EQ(moon.size(), rows.size());
    bool newMoon = false;
    bool firstQuarter = false;
    double previous = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[i];
        const double jd = Num(row, "JDLocal");
        EXPECT_GT(jd, previous) << "phases out of order at K " << row.at("K");
        previous = jd;
        // K counts quarters of lunations (Meeus, ch. 49); at the instant the Moon stands that
        // many quarters of a turn east of the Sun. The type numbers New Moon 0, Last Quarter
        // 1, Full Moon 2, First Quarter 3.
        const double k = Num(row, "K");
        const int quarter = static_cast<int>(std::lround((k - std::floor(k)) * 4)) % 4;
        EXPECT_EQ(row.at("PhaseType"), std::to_string((4 - quarter) % 4)) << k;
        EXPECT_NEAR(AngleDiff(Num(moon[i], "ApparentLongitude") / kRad -
                                  Num(moon[i], "SunApparentLongitude"),
                              90.0 * quarter),
                    0, 0.02)
            << k;
        ExpectClockTime(row.at("Text"), jd, "Text");
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

// A shown angle ("-26°57'26"", "16h20m24s") in degrees.
double ShownDegrees(const std::string& text) {
    std::smatch m;
    if (!std::regex_search(text, m, std::regex(R"((-?)(\d+)(\D+)(\d+)\D+(\d+))"))) {
        ADD_FAILURE() << "no angle in " << text;
        return NAN;
    }
    const double value = std::stod(m[2]) + std::stod(m[4]) / 60 + std::stod(m[5]) / 3600;
    return (m[1] == "-" ? -value : value) * (m[3] == "h" ? 15 : 1);
}

// The now report checked line by line against the moon listing at the instant its heading
// names, its date against the clock, and its month's phases against the phases listing.
TEST(AlmanacNow, EveryLineIsTheMoonListingAtTheHeadingsInstant) {
    const std::pair<std::vector<std::string>, std::string> places[] = {
        {{"--lat", "51.5", "--lon", "-0.1", "--zone", "0"}, "51°30'00\" N, 0°06'00\" W"},
        {{"--lat", "-33.9", "--lon", "151.2", "--zone", "600"}, "33°54'00\" S, 151°12'00\" E"},
    };
    for (const auto& [options, placeText] : places) {
        const int zone = std::stoi(options[5]);
        std::vector<std::string> words = options;
        words.push_back("now");
        const auto clock = [] { return std::chrono::system_clock::now().time_since_epoch(); };
        const double before = std::chrono::duration<double>(clock()).count() / 86400 + 2440587.5;
        const TRun run = Almanac(words);
        const double after = std::chrono::duration<double>(clock()).count() / 86400 + 2440587.5;
        ASSERT_EQ(run.Status, 0) << run.Err;
        std::smatch m;
        ASSERT_TRUE(std::regex_search(run.Lines[0], m,
                                      std::regex(R"((\d\d):(\d\d):(\d\d)  (\d\d) (\w+) (\d{4}))")))
            << run.Lines[0];
        int month = 1;
        while (month < 12 && LongMonthName(month) != m[5].str())
            ++month;
        const double shownUt =
            JulianDayOf(std::stoi(m[6]), month, std::stoi(m[4])) +
            (std::stoi(m[1]) * 3600 + std::stoi(m[2]) * 60 + std::stoi(m[3]) - zone * 60) / 86400.0;
        EXPECT_GT(shownUt, before - 1.0 / 86400) << run.Lines[0];
        EXPECT_LT(shownUt, after + 1.0 / 86400) << run.Lines[0];
        EXPECT_EQ(run.Lines[1], "Observer at " + placeText);

        words.back() = "moon";
        words.push_back(FormatNumber(shownUt));
        const auto listing = ReadCsv(Almanac(words).Out).at(0);
        std::map<std::string, std::string> shown; // "Moon Altitude:" -> its value
        std::string section;
        size_t line = 2;
        for (; line < run.Lines.size() && run.Lines[line].rfind("Phases of ", 0) != 0; ++line) {
            const std::string& text = run.Lines[line];
            const size_t colon = text.find(':');
            if (text.rfind("  ", 0) != 0)
                section = text;
            else if (colon != std::string::npos)
                shown[section + " " + text.substr(2, colon - 1)] = text.substr(colon + 1);
        }
        const std::pair<const char*, const char*> angles[] = {
            {"Moon R.A. (topo.):", "TopoRADeg"},
            {"Moon Dec. (topo.):", "TopoDecDeg"},
            {"Moon Parallax:", "Parallax"},
            {"Moon Altitude:", "Altitude"},
            {"Moon Azimuth:", "Azimuth"},
            {"Moon Bright limb P.A.:", "BrightLimbAngle"},
            {"Moon Phase angle:", "PhaseAngle"},
            {"Moon Libration long.:", "LibrationLong"},
            {"Moon Libration lat.:", "LibrationLat"},
            {"Moon Axis P.A.:", "AxisAngle"},
            {"Moon Colongitude:", "Colongitude"},
            {"Sun Altitude:", "SunAltitude"},
            {"Sun Azimuth:", "SunAzimuth"},
            {"Sun R.A.:", "SunRADeg"},
            {"Sun Dec.:", "SunDecDeg"}};
        for (const auto& [caption, column] : angles)
            EXPECT_NEAR(AngleDiff(ShownDegrees(shown[caption]), Num(listing, column)), 0, 0.02)
                << caption << shown[caption];
        EXPECT_NEAR(ShownDegrees(shown["Moon Diameter:"]), 2 * Num(listing, "SemiDiameter"), 0.001);
        EXPECT_EQ(std::stod(shown["Moon Distance:"]), std::trunc(Num(listing, "DistanceKm")));
        EXPECT_EQ(std::stod(shown["Moon Visible:"]), Num(listing, "Illumination"));

        // The month's phases, as the phases listing has them, named by the quarter of the
        // lunation their K counts (Meeus, ch. 49).
        ASSERT_LT(line, run.Lines.size());
        EXPECT_EQ(run.Lines[line], "Phases of " + m[5].str() + " " + m[6].str());
        const char* quarters[] = {"New Moon:", "First Quarter:", "Full Moon:", "Last Quarter:"};
        int full = 0;
        for (const auto& phase : ReadCsv(Almanac({"--zone", options[5], "phases", m[6]}).Out)) {
            const std::string& text = phase.at("Text");
            if (text.substr(text.size() - m[5].length() - 5) != m[5].str() + " " + m[6].str())
                continue;
            const int quarter =
                static_cast<int>(std::lround(std::fmod(Num(phase, "K") + 1000, 1) * 4)) % 4;
            full += quarter == 2;
            const std::string caption =
                quarter == 2 && full == 2 ? "Blue Moon:" : quarters[quarter];
            ASSERT_LT(++line, run.Lines.size());
            EXPECT_THAT(run.Lines[line], testing::MatchesRegex("  " + caption + " +" + text));
        }
        EXPECT_EQ(line + 1, run.Lines.size());
    }
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

// Each event of the riseset listing read back in the moon listing at its minute: the body's
// altitude at rises, sets and twilights (Meeus, ch. 15: h0 = -0.8333 degree for the Sun, about
// -0.83 degree for the Moon's centre seen from the place) with the body east before noon and
// west after, the body on the meridian at transits; and the Moon's illumination at 0h of the day.
TEST(AlmanacRiseSet, EveryEventIsWhereTheMoonListingPutsTheBody) {
    struct TEvent {
        const char* Column;
        const char* Body;   // column prefix in the moon listing
        double AltitudeDeg; // NAN: the transit
        int East;           // +1 rising, -1 setting
    };
    const TEvent events[] = {{"MoonRise", "", -0.83, 1},       {"MoonTransit", "", NAN, 0},
                             {"MoonSet", "", -0.83, -1},       {"SunRise", "Sun", -0.8333, 1},
                             {"SunTransit", "Sun", NAN, 0},    {"SunSet", "Sun", -0.8333, -1},
                             {"CivilStart", "Sun", -6, 1},     {"CivilEnd", "Sun", -6, -1},
                             {"NauticalStart", "Sun", -12, 1}, {"NauticalEnd", "Sun", -12, -1},
                             {"AstroStart", "Sun", -18, 1},    {"AstroEnd", "Sun", -18, -1}};
    const std::vector<std::string> places[] = {{"51.5", "0", "0", "2026", "12"},
                                               {"-33.9", "151.2", "600", "2026", "6"},
                                               {"1.3", "103.8", "480", "2026", "3"}};
    for (const auto& p : places) {
        SCOPED_TRACE("latitude " + p[0]);
        const std::vector<std::string> where = {"--lat", p[0], "--lon", p[1], "--zone", p[2]};
        std::vector<std::string> words = where;
        words.insert(words.end(), {"riseset", p[3], p[4]});
        const auto days = ReadCsv(Almanac(words).Out);
        ASSERT_GE(days.size(), 30u);
        words = where;
        words.push_back("moon");
        std::vector<std::pair<const TEvent*, const std::map<std::string, std::string>*>> asked;
        for (const auto& day : days) {
            const double jd0 =
                JulianDayOf(std::stoi(p[3]), std::stoi(p[4]), std::stoi(day.at("Day")));
            words.push_back(FormatNumber(jd0));
            asked.push_back({nullptr, &day});
            for (const TEvent& e : events) {
                int h = 0, m = 0;
                if (std::sscanf(day.at(e.Column).c_str(), "%d:%d", &h, &m) != 2) continue;
                words.push_back(FormatNumber(jd0 + (h * 60 + m - std::stoi(p[2])) / 1440.0));
                asked.push_back({&e, &day});
            }
        }
        const auto seen = ReadCsv(Almanac(words).Out);
        ASSERT_EQ(seen.size(), asked.size());
        for (size_t i = 0; i < seen.size(); ++i) {
            const auto& [e, day] = asked[i];
            if (!e) {
                EXPECT_EQ(day->at("Illumination"), seen[i].at("Illumination")) << day->at("Day");
                continue;
            }
            const std::string body = e->Body;
            SCOPED_TRACE(std::string(e->Column) + " of day " + day->at("Day"));
            const double azimuth = Num(seen[i], body + "Azimuth");
            if (std::isnan(e->AltitudeDeg)) {
                const double hourAngle = SiderealTimeAt(Num(seen[i], "JD")) + std::stod(p[1]) -
                                         Num(seen[i], body + "RADeg");
                EXPECT_NEAR(AngleDiff(hourAngle, 0), 0, 0.3);
            } else {
                EXPECT_NEAR(Num(seen[i], body + "Altitude"), e->AltitudeDeg, 0.25);
                EXPECT_GT(e->East * std::sin(azimuth * kRad), 0) << azimuth;
            }
        }
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

// Each perigee and apogee: shown time and date are its Julian Day's in the zone, the Moon's
// distance there is the listed one and the nearest (or farthest) of the hours around, and it
// is the first after the 1st of the month.
TEST(AlmanacApsides, EveryRowIsTheDistanceExtremeItNames) {
    for (const int zone : {0, -300, 570}) {
        const auto rows = ReadCsv(Almanac({"--zone", std::to_string(zone), "apsides", "2026"}).Out);
        ASSERT_EQ(rows.size(), 12u);
        for (const auto& row : rows)
            for (const auto& [which, nearest] : {std::pair{"Perigee", 1}, {"Apogee", -1}}) {
                const std::string w = which;
                const double jd = Num(row, w + "JD"), km = Num(row, w + "DistanceKm");
                ExpectClockTime(row.at(w + "Time"), jd + zone / 1440.0, w);
                const TDateRec date = JDToDate(jd + zone / 1440.0);
                EXPECT_EQ(row.at(w + "Time").substr(7, 6),
                          (date.Day < 10 ? "0" : "") + std::to_string(date.Day) + " " +
                              LongMonthName(date.Month).substr(0, 3));
                const double first = JulianDayOf(2026, std::stoi(row.at("Month")), 1);
                EXPECT_GE(jd, first - 1);
                EXPECT_LT(jd, first + 28);
                const auto moon = MoonAtLocal({}, 0, {jd - 0.2, jd, jd + 0.2});
                EXPECT_NEAR(Num(moon[1], "DistanceKm"), km, 10) << w << " " << row.at("Month");
                EXPECT_GT(nearest * (Num(moon[0], "DistanceKm") - km), 0) << w;
                EXPECT_GT(nearest * (Num(moon[2], "DistanceKm") - km), 0) << w;
            }
    }
}

// Each eclipse, from three places: its clock times are its contacts', the Moon stands opposite
// the Sun at greatest eclipse on the side of the shadow's axis the sign of gamma names, the type
// follows from the magnitudes, and the visibility from the Moon's altitude at the first and
// last contact.
TEST(AlmanacEclipses, EveryColumnAgreesWithTheContactsAndTheMoon) {
    const std::pair<const char*, const char*> times[] = {
        {"MaxTime", "ContactMax"}, {"PenStart", "ContactP1"}, {"UmbStart", "ContactU1"},
        {"TotStart", "ContactU2"}, {"TotEnd", "ContactU3"},   {"UmbEnd", "ContactU4"},
        {"PenEnd", "ContactP4"}};
    const std::vector<std::string> places[] = {
        {"--lat", "51.5", "--lon", "0", "--zone", "0"},
        {"--lat", "-33.9", "--lon", "151.2", "--zone", "600"},
        {"--lat", "40", "--lon", "-74", "--zone", "-300"}};
    for (const auto& place : places) {
        const int zone = std::stoi(place[5]);
        std::vector<std::string> words = place;
        words.insert(words.end(), {"eclipses", "1997", "2001"});
        const auto rows = ReadCsv(Almanac(words).Out);
        ASSERT_EQ(rows.size(), 12u);
        for (const auto& row : rows) {
            SCOPED_TRACE(row.at("DateText") + " seen from " + place[1]);
            for (const auto& [text, contact] : times) {
                if (Num(row, contact) == 0) {
                    EXPECT_EQ(row.at(text), "") << text;
                } else {
                    ExpectClockTime(row.at(text), Num(row, contact), text);
                }
            }
            const TDateRec date = JDToDate(Num(row, "ContactMax"));
            EXPECT_EQ(row.at("DateText"), (date.Day < 10 ? "0" : "") + std::to_string(date.Day) +
                                              " " + LongMonthName(date.Month) + " " +
                                              std::to_string(date.Year));
            const double umbral = Num(row, "UmbralMag"), penumbral = Num(row, "PenumbralMag");
            EXPECT_EQ(row.at("EclipseType"), umbral >= 1 ? "3" : umbral > 0 ? "2" : "1");
            EXPECT_GT(penumbral, umbral);
            const auto moon =
                MoonAtLocal(place, zone,
                            {Num(row, "ContactP1"), Num(row, "ContactMax"), Num(row, "ContactP4")});
            const double moonLongitude = Num(moon[1], "ApparentLongitude") / kRad;
            EXPECT_NEAR(AngleDiff(moonLongitude, Num(moon[1], "SunApparentLongitude") + 180), 0,
                        0.3);
            EXPECT_GT(Num(row, "Gamma") * Num(moon[1], "Latitude"), 0);
            const bool upAtStart = Num(moon[0], "Altitude") > -0.83;
            const bool upAtEnd = Num(moon[2], "Altitude") > -0.83;
            EXPECT_EQ(row.at("Visibility"), upAtStart && upAtEnd   ? "Visible"
                                            : upAtStart || upAtEnd ? "Partially Visible"
                                                                   : "Not Visible");
        }
    }
}

// Each equinox and solstice: the Sun's apparent longitude at its instant, the local time and
// its texts, the season's name for the hemisphere and its length to the next one.
TEST(AlmanacSeasons, EveryColumnOfEveryEvent) {
    struct TEvent {
        const char* Name;
        double SunLongitude;
        const char* North;
        const char* South;
    };
    const TEvent events[] = {{"March equinox", 0, "Spring", "Autumn"},
                             {"June solstice", 90, "Summer", "Winter"},
                             {"September equinox", 180, "Autumn", "Spring"},
                             {"December solstice", 270, "Winter", "Summer"}};
    for (const auto& [lat, zone] : {std::pair{"52", 60}, {"-33", -570}}) {
        const auto rows = ReadCsv(
            Almanac({"--lat", lat, "--zone", std::to_string(zone), "seasons", "2024", "2026"}).Out);
        ASSERT_EQ(rows.size(), 12u);
        for (size_t i = 0; i < rows.size(); ++i) {
            const auto& row = rows[i];
            const TEvent& e = events[i % 4];
            SCOPED_TRACE(row.at("DateTimeText"));
            EXPECT_EQ(row.at("Year"), std::to_string(2024 + i / 4));
            EXPECT_EQ(row.at("Event"), e.Name);
            EXPECT_EQ(row.at("Season"), lat[0] == '-' ? e.South : e.North);
            const double jde = Num(row, "JDE"), local = Num(row, "LocalJD");
            const auto sun = MoonAtLocal({}, 0, {jde});
            EXPECT_NEAR(AngleDiff(Num(sun[0], "SunApparentLongitude"), e.SunLongitude), 0, 2e-3);
            EXPECT_NEAR((local - jde) * 1440, zone,
                        2.0); // less Delta T, plus a rounding half minute
            ExpectClockTime(row.at("DateTimeText"), local, "DateTimeText");
            EXPECT_EQ(row.at("Display").substr(0, 5), row.at("DateTimeText").substr(0, 5));
            const TDateRec date = JDToDate(local);
            EXPECT_EQ(row.at("DateTimeText").substr(10),
                      (date.Day < 10 ? "0" : "") + std::to_string(date.Day) + " " +
                          LongMonthName(date.Month) + " " + row.at("Year"));
            if (i + 1 < rows.size()) {
                EXPECT_NEAR(Num(row, "LengthDays"), Num(rows[i + 1], "JDE") - jde, 0.01);
            }
        }
    }
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
        {"--tz", "Mars/Olympus", "now"},
        {"--tz", "Europe/London", "--zone", "0", "now"},
    };
    for (const auto& words : bad) {
        const TRun run = Almanac(words);
        std::string line;
        for (const auto& w : words)
            line += w + " ";
        EXPECT_EQ(run.Status, 2) << line;
        EXPECT_TRUE(run.Out.empty()) << line;
        EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << line << run.Err;
        if (words.size() == 3 && words[0] == "--tz") {
            EXPECT_THAT(run.Err, testing::HasSubstr(words[1])) << line; // the name refused
        }
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
        {{"--tz", "Asia/Kathmandu", "now"}, "(Asia/Kathmandu +0545, UTC+05:45)"},
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
