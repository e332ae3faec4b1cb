// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile and sloppy input to the almanac: numbers and dates in any form but the plain one
// are refused, `moon --file` reads one Julian Day a line, and every refusal is one line.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "almanac_run.h"

namespace {

std::string Joined(const std::vector<std::string>& words) {
    std::string line;
    for (const auto& w : words)
        line += "[" + w + "]";
    return line;
}

// Refused with status 2, nothing on standard output, one line on standard error that holds
// `shown` (the offending word as the message echoes it).
void ExpectRefused(const std::vector<std::string>& words, const std::string& shown) {
    const TRun run = Almanac(words);
    EXPECT_EQ(run.Status, 2) << Joined(words);
    EXPECT_TRUE(run.Out.empty()) << Joined(words);
    EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << Joined(words) << run.Err;
    EXPECT_THAT(run.Err, testing::EndsWith("\n")) << Joined(words);
    EXPECT_THAT(run.Err, testing::HasSubstr(shown)) << Joined(words);
}

std::string WriteFile(const std::string& name, const std::string& bytes) {
    const std::string path = testing::TempDir() + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

TEST(AlmanacStrictNumbers, OnlyPlainDecimalsAreNumbers) {
    // Hexadecimal, signs, exponents, blanks, words of the C library and fractions of a year.
    for (const char* year : {"0x7E9", "+2026", "2.026e3", "2026e0", " 2026", "2026 ", "2026.0",
                             "2026.", "20 26", "inf", "nan", "-", "1_000", "２０２６"})
        ExpectRefused({"easter", year}, std::string("'") + year + "'");
    ExpectRefused({"easter", ""}, "YEAR is empty");
    ExpectRefused({"easter", "99999999999999999999"}, "between 1 and 9999");
    for (const char* degrees : {"1e1", "+5", " 5", "5 ", "0x10", "inf", "-nan", "5..1", "--5"})
        ExpectRefused({"--lat", degrees, "now"}, std::string("'") + degrees + "'");
    for (const char* zone : {"+60", "60.0", "6e1", "0x3c"})
        ExpectRefused({"--zone", zone, "now"}, std::string("'") + zone + "'");
    for (const char* jd : {"2451545x", "2.451545e6", "+2451545", "2451545 ", "0x256c99"})
        ExpectRefused({"moon", jd}, std::string("'") + jd + "'");

    // The plain forms, also with leading zeros and a bare point, mean what they say.
    EXPECT_EQ(Almanac({"easter", "02026"}).Out, Almanac({"easter", "2026"}).Out);
    EXPECT_THAT(Almanac({"easter", "2026"}).Out, testing::HasSubstr("5 April 2026"));
    const TRun half = Almanac({"--lat", "-33.50", "--lon", ".5", "riseset", "2026", "01"});
    ASSERT_EQ(half.Status, 0) << half.Err;
    EXPECT_EQ(half.Out, Almanac({"--lat", "-33.5", "--lon", "0.5", "riseset", "2026", "1"}).Out);
    EXPECT_EQ(Almanac({"moon", "2451545."}).Out, Almanac({"moon", "2451545"}).Out);
}

TEST(AlmanacStrictNumbers, DatesAreIsoDaysOfTheCalendar) {
    for (const char* date :
         {"2023- 1-01", "2023-1-01", "2023-01-1", "+023-01-01", "2023-01-01 ", " 2023-01-01",
          "2023/01/01", "2023-01-01x", "20230101", "2023-0x-01", "2023-+1-01", "2023--1-01"})
        ExpectRefused({"dateinfo", date}, std::string("'") + date + "'");
    // One calendar: Julian up to Thursday 4 October 1582, Gregorian from Friday 15 October
    // (Meeus, ch. 7: JD 2299159.5 and 2299160.5), so 1500 is a leap year and 1700 is not;
    // 1500-02-29 is JD 2268991.5 by the book's rule with B = 0.
    for (const char* date : {"2023-02-29", "2023-13-01", "2023-00-10", "2023-04-31", "0000-06-01",
                             "1582-10-05", "1582-10-14", "1700-02-29", "1900-02-29"})
        ExpectRefused({"dateinfo", date}, std::string("no such date: '") + date + "'");
    const TRun reform =
        Almanac({"dateinfo", "1582-10-04", "1582-10-15", "1500-02-29", "1500-03-01", "1600-02-29"});
    ASSERT_EQ(reform.Status, 0) << reform.Err;
    EXPECT_THAT(reform.Out, testing::HasSubstr("1582-10-04,2299159.5,"));
    EXPECT_THAT(reform.Out, testing::HasSubstr("1582-10-15,2299160.5,"));
    EXPECT_THAT(reform.Out, testing::HasSubstr("1500-02-29,2268991.5,"));
    EXPECT_THAT(reform.Out, testing::HasSubstr("1500-03-01,2268992.5,"));

    for (const char* at : {"2026-01-01 -0:00", "2026-01-01 24:00", "2026-01-01 12:60",
                           "2026-1-01 10:00", "2026-01-01T10:00", "2026-01-01 10:00 ",
                           "2026-02-29 10:00", "2026-01-01 +1:00", "1582-10-10 12:00"})
        ExpectRefused({"features", "Craters", "--at", at}, std::string("'") + at + "'");
}

TEST(AlmanacMoonFile, OneJulianDayALineAndErrorsNameTheLine) {
    const TRun expected = Almanac({"moon", "2451545", "2451545.25"});
    ASSERT_EQ(expected.Status, 0) << expected.Err;
    // Comments, blank lines, blanks around the number, Windows line ends, no final line break.
    const std::string tidy =
        WriteFile("days-tidy.txt", "# two days\r\n\n  2451545 \t\r\n\t\n2451545.25");
    const TRun read = Almanac({"moon", "--file", tidy});
    ASSERT_EQ(read.Status, 0) << read.Err;
    EXPECT_EQ(read.Out, expected.Out);

    using namespace std::string_literals; // the NUL bytes are part of the files
    const std::pair<std::string, const char*> bad[] = {
        {"2451545\n2451545 2451546\n", "line 2 of "},
        {"2451545\n\n2451545,2451546\n", "line 3 of "},
        {"2451545 # noon\n", "line 1 of "},
        {"2451545\n2451545\0junk\n"s, "line 2 of "},
        {"\0"s, "line 1 of "},
        {"2451545\n0x256c99\n", "line 2 of "},
        {"2451545\n2451545e0\n", "line 2 of "},
        {"1000\n", "line 1 of "}, // before year 1
        {"# nothing\n\n", "holds no Julian Day"},
        {"", "holds no Julian Day"},
    };
    int n = 0;
    for (const auto& [text, shown] : bad)
        ExpectRefused({"moon", "--file", WriteFile("days-bad-" + std::to_string(n++), text)},
                      shown);
    ExpectRefused({"moon", "--file", WriteFile("days-long", std::string(100000, '1'))},
                  "line 1 of");
    ExpectRefused({"moon", "--file", testing::TempDir()}, "cannot read '");
    ExpectRefused({"moon", "--file", testing::TempDir() + "/no-such-days.txt"}, "cannot read '");
    ExpectRefused({"moon", "--file", tidy, "2451545"}, "not both");
}

TEST(AlmanacMessages, ControlCharactersOfEchoedWordsAreEscaped) {
    ExpectRefused({"--lat\nnow", "now"}, "'--lat\\nnow'");
    ExpectRefused({"easter", "2026\n\n2027"}, "'2026\\n\\n2027'");
    ExpectRefused({"dateinfo", "2026-01-0\t"}, "'2026-01-0\\t'");
    ExpectRefused({"bogus\r\x1b[2J\x7f"}, "'bogus\\r\\x1b[2J\\x7f'");
    ExpectRefused({"moon", "--file", testing::TempDir() + "/a\nb"}, "/a\\nb'");
    ExpectRefused({"--zone"}, "--zone needs a value");
    // Bytes of other scripts are text, not control characters; C1 controls and bytes that are
    // not UTF-8 (a lone continuation byte, a cut sequence, an overlong form) are escaped.
    ExpectRefused({"mööndäten"}, "'mööndäten'");
    ExpectRefused({"bogus\xc2\x85\xc2\x9b[2J"}, "'bogus\\xc2\\x85\\xc2\\x9b[2J'");
    ExpectRefused({"x\x80\x9b\xff\xe2\x82 \xc0\xaf"}, "'x\\x80\\x9b\\xff\\xe2\\x82 \\xc0\\xaf'");
    // At most 80 characters of an argument are quoted, however long it is.
    const std::string eighty(80, '7');
    ExpectRefused({"easter", eighty + "123"}, "'" + eighty + "...'");
    ExpectRefused({"easter", eighty}, "'" + eighty + "'");
    const TRun flood = Almanac({"dateinfo", std::string(100000, '\x9b')});
    EXPECT_LE(flood.Err.size(), 200u + 80 * 4) << flood.Err.substr(0, 300);
}

TEST(AlmanacMessages, EmptyOptionValuesAreRefused) {
    const std::vector<std::vector<std::string>> lines = {
        {"terminator", "--min-km", ""}, {"terminator", "--date", ""},
        {"terminator", "--files", ""},  {"ics", "2026", "--what", ""},
        {"ics", "2026", "-o", ""},      {"ics", "2026", "--output", ""},
        {"moon", "--file", ""},         {"features", "Craters", "--at", ""},
        {"--zone", "", "now"}};
    for (const auto& words : lines)
        ExpectRefused(words, *(std::find(words.begin(), words.end(), "") - 1) + " is empty");
}

} // namespace
