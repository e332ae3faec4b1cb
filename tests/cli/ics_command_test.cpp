// SPDX-License-Identifier: GPL-3.0-or-later
// The calendar file read back by a strict reader of RFC 5545 written here (line ends, folding,
// escapes, the required properties), its events checked against the almanac's own tables.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include <sys/wait.h>
#include <unistd.h>

#include "almanac_run.h"

namespace {

// ---- a strict reader ------------------------------------------------------------------

bool ValidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const size_t n = c < 0x80         ? 1
                         : (c >> 5) == 6  ? 2
                         : (c >> 4) == 14 ? 3
                         : (c >> 3) == 30 ? 4
                                          : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}

// A TEXT value unescaped; a bare comma or semicolon, or an unknown escape, is a fault.
std::string Unescape(const std::string& value) {
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == ',' || c == ';') ADD_FAILURE() << "unescaped '" << c << "' in " << value;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i == value.size()) {
            ADD_FAILURE() << "lone backslash at the end of " << value;
            break;
        }
        const char e = value[i];
        if (e == 'n' || e == 'N')
            out += '\n';
        else if (e == '\\' || e == ',' || e == ';')
            out += e;
        else
            ADD_FAILURE() << "unknown escape \\" << e << " in " << value;
    }
    return out;
}

using TProps = std::multimap<std::string, std::string>;

struct TCalendar {
    TProps Head;
    std::vector<TProps> Events;
};

// Reads the text as RFC 5545 wants it or records a failure.
TCalendar ReadCalendar(const std::string& text) {
    TCalendar cal;
    EXPECT_TRUE(text.size() >= 2 && text.substr(text.size() - 2) == "\r\n");
    std::vector<std::string> logical;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = text.find("\r\n", at);
        if (end == std::string::npos) {
            ADD_FAILURE() << "last line without CRLF";
            break;
        }
        const std::string line = text.substr(at, end - at);
        at = end + 2;
        EXPECT_LE(line.size(), 75u) << line;
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "bare line break: " << line;
        EXPECT_TRUE(ValidUtf8(line)) << "a character split by folding: " << line;
        if (!line.empty() && (line[0] == ' ' || line[0] == '\t')) {
            if (logical.empty())
                ADD_FAILURE() << "continuation first";
            else
                logical.back() += line.substr(1);
        } else {
            EXPECT_FALSE(line.empty()) << "empty line";
            logical.push_back(line);
        }
    }
    TProps* into = nullptr;
    int depth = 0;
    for (const std::string& line : logical) {
        const size_t colon = line.find(':');
        if (colon == std::string::npos || colon == 0) {
            ADD_FAILURE() << "no name: " << line;
            continue;
        }
        const std::string name = line.substr(0, colon), value = line.substr(colon + 1);
        for (char c : name)
            EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c)) || c == '-') << line;
        if (name == "BEGIN") {
            if (value == "VCALENDAR") {
                EXPECT_EQ(depth, 0);
                into = &cal.Head;
            } else {
                EXPECT_EQ(value, "VEVENT");
                EXPECT_EQ(depth, 1);
                cal.Events.emplace_back();
                into = &cal.Events.back();
            }
            ++depth;
        } else if (name == "END") {
            --depth;
            into = depth == 1 ? &cal.Head : nullptr;
        } else if (into) {
            into->emplace(name, value);
        } else {
            ADD_FAILURE() << "outside the calendar: " << line;
        }
    }
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(logical.front(), "BEGIN:VCALENDAR");
    EXPECT_EQ(logical.back(), "END:VCALENDAR");
    return cal;
}

std::string One(const TProps& props, const std::string& name) {
    EXPECT_EQ(props.count(name), 1u) << name;
    const auto it = props.find(name);
    return it == props.end() ? std::string() : it->second;
}

using namespace std::chrono;

// "YYYYMMDDTHHMMSSZ" as minutes since 1970, checked for a real date and time.
long long UtcMinutes(const std::string& v) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    char z = 0, t = 0;
    const bool read =
        v.size() == 16 &&
        std::sscanf(v.c_str(), "%4d%2d%2d%c%2d%2d%2d%c", &y, &mo, &d, &t, &h, &mi, &s, &z) == 8 &&
        t == 'T' && z == 'Z';
    const year_month_day ymd{year{y}, month{static_cast<unsigned>(mo)},
                             day{static_cast<unsigned>(d)}};
    EXPECT_TRUE(read && ymd.ok() && h < 24 && mi < 60 && s < 60) << v;
    return duration_cast<minutes>(sys_days{ymd}.time_since_epoch()).count() + h * 60 + mi;
}

// A local civil minute as minutes since 1970.
long long LocalMinutes(int y, int mo, int d, int h, int mi) {
    const year_month_day ymd{year{y}, month{static_cast<unsigned>(mo)},
                             day{static_cast<unsigned>(d)}};
    return duration_cast<minutes>(sys_days{ymd}.time_since_epoch()).count() + h * 60 + mi;
}

int MonthNumber(const std::string& name) {
    static const char* names[] = {"January",   "February", "March",    "April",
                                  "May",       "June",     "July",     "August",
                                  "September", "October",  "November", "December"};
    for (int m = 0; m < 12; ++m)
        if (name.size() >= 3 && std::string(names[m]).compare(0, name.size(), name) == 0)
            return m + 1;
    ADD_FAILURE() << "no month " << name;
    return 1;
}

// ---- the almanac's tables -------------------------------------------------------------

std::vector<std::map<std::string, std::string>> Table(const std::vector<std::string>& words) {
    const TRun run = Almanac(words);
    EXPECT_EQ(run.Status, 0) << run.Err;
    std::istringstream in(run.Out);
    std::string line;
    std::getline(in, line);
    const std::vector<std::string> header = SplitCsv(line);
    std::vector<std::map<std::string, std::string>> rows;
    while (std::getline(in, line)) {
        const std::vector<std::string> f = SplitCsv(line);
        std::map<std::string, std::string> row;
        for (size_t i = 0; i < header.size() && i < f.size(); ++i)
            row[header[i]] = f[i];
        rows.push_back(row);
    }
    return rows;
}

// A Coruña in summer time: two hours ahead of UT, so many instants change their day.
const std::vector<std::string> Place = {"--lat", "43.35", "--lon", "-8.4", "--zone", "60", "--dst"};
constexpr int OffsetMinutes = 120;

std::vector<std::string> With(std::vector<std::string> words) {
    words.insert(words.begin(), Place.begin(), Place.end());
    return words;
}

// Events of the calendar by the first word of their UID.
std::map<std::string, std::vector<const TProps*>> ByKind(const TCalendar& cal) {
    std::map<std::string, std::vector<const TProps*>> kinds;
    for (const TProps& e : cal.Events) {
        std::string uid = One(e, "UID");
        const size_t dash = uid.rfind('-');
        kinds[uid.substr(0, dash)].push_back(&e);
    }
    return kinds;
}

const TProps* At(const std::vector<const TProps*>& events, long long utcMinutes) {
    for (const TProps* e : events)
        if (UtcMinutes(One(*e, "DTSTART")) == utcMinutes) return e;
    return nullptr;
}

class IcsCommand : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        const TRun run = Almanac(With({"ics", "2026"}));
        ASSERT_EQ(run.Status, 0) << run.Err;
        Text = new std::string(run.Out);
        Cal = new TCalendar(ReadCalendar(run.Out));
    }
    static void TearDownTestSuite() {
        delete Text;
        delete Cal;
    }
    static inline std::string* Text = nullptr;
    static inline TCalendar* Cal = nullptr;
};

TEST_F(IcsCommand, StrictlyFormedWithUniqueUidsAndEventsOfOneMinute) {
    EXPECT_EQ(One(Cal->Head, "VERSION"), "2.0");
    EXPECT_EQ(One(Cal->Head, "PRODID"), "-//Tidewell//Tidewell V2.62//EN");
    EXPECT_EQ(One(Cal->Head, "CALSCALE"), "GREGORIAN");
    std::set<std::string> uids;
    long long previous = 0;
    for (const TProps& e : Cal->Events) {
        const std::string uid = One(e, "UID");
        EXPECT_TRUE(uids.insert(uid).second) << "UID twice: " << uid;
        EXPECT_NE(uid.find("@tidewell"), std::string::npos) << uid;
        (void)UtcMinutes(One(e, "DTSTAMP"));
        const long long start = UtcMinutes(One(e, "DTSTART"));
        EXPECT_EQ(UtcMinutes(One(e, "DTEND")), start + 1) << uid;
        EXPECT_GE(start, previous) << "out of order: " << uid;
        previous = start;
        EXPECT_FALSE(Unescape(One(e, "SUMMARY")).empty());
        (void)Unescape(One(e, "DESCRIPTION"));
    }
    // 2026 has 12 or 13 of each phase, two lunar eclipses and four seasons (published tables).
    const auto kinds = ByKind(*Cal);
    for (const char* phase : {"new-moon", "first-quarter", "full-moon", "last-quarter"})
        EXPECT_GE(kinds.at(phase).size(), 12u) << phase;
    EXPECT_EQ(kinds.at("lunar-eclipse").size(), 2u);
    for (const char* season :
         {"march-equinox", "june-solstice", "september-equinox", "december-solstice"})
        EXPECT_EQ(kinds.at(season).size(), 1u) << season;
}

TEST_F(IcsCommand, PhasesAtTheTablesMinuteWithTheFullMoonsNames) {
    static const char* names[] = {"New Moon", "Last Quarter", "Full Moon", "First Quarter"};
    static const char* moons[] = {"Wolf", "Snow",     "Worm",    "Pink",     "Flower", "Strawberry",
                                  "Buck", "Sturgeon", "Harvest", "Hunter's", "Beaver", "Cold"};
    const auto rows = Table(With({"phases", "2026"}));
    std::vector<const TProps*> phases;
    for (const auto& [kind, events] : ByKind(*Cal))
        if (kind.find("moon") != std::string::npos || kind.find("quarter") != std::string::npos)
            phases.insert(phases.end(), events.begin(), events.end());
    ASSERT_EQ(phases.size(), rows.size());
    for (const auto& row : rows) {
        // "HH:MM  DD Month YYYY", local civil time.
        int h = 0, mi = 0, d = 0, y = 0;
        char monthName[16] = {};
        ASSERT_EQ(
            std::sscanf(row.at("Text").c_str(), "%d:%d %d %15s %d", &h, &mi, &d, monthName, &y), 5);
        const int mo = MonthNumber(monthName);
        const TProps* e = At(phases, LocalMinutes(y, mo, d, h, mi) - OffsetMinutes);
        ASSERT_NE(e, nullptr) << "no event at " << row.at("Text");
        std::string expected = names[std::stoi(row.at("PhaseType"))];
        if (expected == "Full Moon") expected += std::string(" (") + moons[mo - 1] + " Moon)";
        // 31 May 2026 is the month's second full moon, a blue moon.
        if (mo == 5 && d == 31) expected = "Full Moon (Blue Moon)";
        EXPECT_EQ(Unescape(One(*e, "SUMMARY")), expected) << row.at("Text");
    }
}

TEST_F(IcsCommand, EverySeasonAndEclipseOfTheTablesWithContactsAndVisibility) {
    const auto kinds = ByKind(*Cal);
    const auto seasons = Table(With({"seasons", "2026"}));
    ASSERT_EQ(seasons.size(), 4u);
    for (const auto& row : seasons) {
        int h = 0, mi = 0, d = 0;
        char mon[8] = {};
        ASSERT_EQ(std::sscanf(row.at("Display").c_str(), "%d:%d %d %7s", &h, &mi, &d, mon), 4);
        std::string kind = row.at("Event");
        for (char& c : kind)
            c = c == ' ' ? '-' : static_cast<char>(std::tolower(c));
        const TProps* e =
            At(kinds.at(kind), LocalMinutes(2026, MonthNumber(mon), d, h, mi) - OffsetMinutes);
        ASSERT_NE(e, nullptr) << row.at("Display");
        std::string season = row.at("Season");
        season[0] = static_cast<char>(std::tolower(season[0]));
        EXPECT_NE(Unescape(One(*e, "SUMMARY")).find(", " + season + " begins"), std::string::npos);
        EXPECT_NE(Unescape(One(*e, "DESCRIPTION")).find("(northern hemisphere)"),
                  std::string::npos);
    }
    // South of the equator the seasons turn over: the March equinox begins the autumn.
    const TCalendar south =
        ReadCalendar(Almanac({"--lat", "-33.9", "ics", "2026", "--what", "seasons"}).Out);
    ASSERT_EQ(south.Events.size(), 4u);
    EXPECT_NE(Unescape(One(south.Events[0], "SUMMARY")).find("autumn begins"), std::string::npos);
    for (const TProps& e : south.Events)
        EXPECT_NE(Unescape(One(e, "DESCRIPTION")).find("(southern hemisphere)"), std::string::npos);
    // Published: the March equinox of 2026 at 14:46 UT.
    EXPECT_EQ(One(*kinds.at("march-equinox")[0], "DTSTART"), "20260320T144600Z");

    const auto eclipses = Table(With({"eclipses", "2026", "2026"}));
    ASSERT_EQ(eclipses.size(), kinds.at("lunar-eclipse").size());
    static const char* types[] = {"", "Penumbral", "Partial", "Total"};
    for (const auto& row : eclipses) {
        int d = 0, y = 0, h = 0, mi = 0;
        char monthName[16] = {};
        ASSERT_EQ(std::sscanf(row.at("DateText").c_str(), "%d %15s %d", &d, monthName, &y), 3);
        ASSERT_EQ(std::sscanf(row.at("MaxTime").c_str(), "%d:%d", &h, &mi), 2);
        const TProps* e = At(kinds.at("lunar-eclipse"),
                             LocalMinutes(y, MonthNumber(monthName), d, h, mi) - OffsetMinutes);
        ASSERT_NE(e, nullptr) << row.at("DateText");
        const std::string summary = Unescape(One(*e, "SUMMARY"));
        EXPECT_NE(summary.find(types[std::stoi(row.at("EclipseType"))]), std::string::npos)
            << summary;
        EXPECT_NE(summary.find("(" + row.at("Visibility") + ")"), std::string::npos) << summary;
        const std::string text = Unescape(One(*e, "DESCRIPTION"));
        char magnitudes[80];
        std::snprintf(magnitudes, sizeof magnitudes,
                      "Umbral magnitude %.3f, penumbral magnitude %.3f",
                      std::stod(row.at("UmbralMag")), std::stod(row.at("PenumbralMag")));
        EXPECT_NE(text.find(magnitudes), std::string::npos) << text;
        // Every contact the table shows, at its minute turned into UT.
        int contacts = 0;
        for (const char* column :
             {"PenStart", "UmbStart", "TotStart", "MaxTime", "TotEnd", "UmbEnd", "PenEnd"}) {
            const std::string local = row.at(column);
            if (local.empty()) continue;
            ++contacts;
            const int minute = (std::stoi(local.substr(0, 2)) * 60 + std::stoi(local.substr(3)) -
                                OffsetMinutes + 1440) %
                               1440;
            char utc[16];
            std::snprintf(utc, sizeof utc, "%02d:%02d UTC", minute / 60, minute % 60);
            EXPECT_NE(text.find(utc), std::string::npos) << column << " " << utc << "\n" << text;
        }
        std::istringstream lines(text);
        std::string line;
        int utcLines = 0;
        while (std::getline(lines, line))
            utcLines += line.find(" UTC") != std::string::npos;
        EXPECT_EQ(utcLines, contacts) << text;
    }
    // Published: the total eclipse of 3 March 2026, greatest at 11:33 UT.
    EXPECT_EQ(One(*kinds.at("lunar-eclipse")[0], "DTSTART"), "20260303T113300Z");
}

TEST_F(IcsCommand, ApsidesOfTheTableAllPresentAlternatingWithTheirDistances) {
    const auto kinds = ByKind(*Cal);
    // The table lists the next passages from each 1st of the month: every one of them that
    // falls in 2026 must be an event, with the table's distance.
    int matched = 0;
    for (const auto& row : Table(With({"apsides", "2026"}))) {
        for (const char* which : {"Perigee", "Apogee"}) {
            int h = 0, mi = 0, d = 0;
            char mon[8] = {};
            ASSERT_EQ(std::sscanf(row.at(std::string(which) + "Time").c_str(), "%d:%d %d %7s", &h,
                                  &mi, &d, mon),
                      4);
            const int mo = MonthNumber(mon);
            if (std::stoi(row.at("Month")) == 12 && mo == 1) continue; // in 2027
            std::string kind = which;
            kind[0] = static_cast<char>(std::tolower(kind[0]));
            const TProps* e = At(kinds.at(kind), LocalMinutes(2026, mo, d, h, mi) - OffsetMinutes);
            ASSERT_NE(e, nullptr) << which << " " << row.at(std::string(which) + "Time");
            const std::string km = row.at(std::string(which) + "Distance");
            EXPECT_EQ(Unescape(One(*e, "SUMMARY")),
                      std::string(which) + " (" + km.substr(0, km.find(' ')) + " km)");
            ++matched;
        }
    }
    EXPECT_GE(matched, 22);
    // Between the table's passages the calendar misses none: perigee and apogee alternate,
    // 11 to 17 days apart (Meeus, ch. 50), from the first days of the year to its last.
    std::vector<std::pair<long long, std::string>> passages;
    for (const char* kind : {"perigee", "apogee"})
        for (const TProps* e : kinds.at(kind))
            passages.emplace_back(UtcMinutes(One(*e, "DTSTART")), kind);
    std::sort(passages.begin(), passages.end());
    ASSERT_GE(passages.size(), 26u);
    EXPECT_LT(passages.front().first - LocalMinutes(2026, 1, 1, 0, 0), 17 * 1440);
    EXPECT_LT(LocalMinutes(2027, 1, 1, 0, 0) - passages.back().first, 17 * 1440);
    for (size_t i = 1; i < passages.size(); ++i) {
        EXPECT_NE(passages[i].second, passages[i - 1].second) << i;
        const long long gap = passages[i].first - passages[i - 1].first;
        EXPECT_TRUE(gap > 11 * 1440 && gap < 17 * 1440) << i << ": " << gap / 1440.0 << " days";
    }
}

TEST(IcsCommandRuns, UidsStableAcrossRunsAndZonesKindsChosenFileWritten) {
    const TRun a = Almanac(With({"ics", "2026"}));
    const TRun b = Almanac(With({"ics", "2026"}));
    const auto uids = [](const std::string& text, bool midYear) {
        std::set<std::string> set;
        for (const TProps& e : ReadCalendar(text).Events) {
            const long long start = UtcMinutes(One(e, "DTSTART"));
            if (!midYear || (start > LocalMinutes(2026, 1, 3, 0, 0) &&
                             start < LocalMinutes(2026, 12, 29, 0, 0)))
                set.insert(One(e, "UID"));
        }
        return set;
    };
    EXPECT_EQ(uids(a.Out, false), uids(b.Out, false));
    // Another time zone changes the local times, never an event's UID.
    const TRun tokyo = Almanac({"--lat", "35.7", "--lon", "139.7", "--zone", "540", "ics", "2026"});
    ASSERT_EQ(tokyo.Status, 0);
    EXPECT_EQ(uids(tokyo.Out, true), uids(a.Out, true));

    // Each kind chosen alone brings its events and no others.
    const std::pair<const char*, std::set<std::string>> chosen[] = {
        {"phases", {"new-moon", "first-quarter", "full-moon", "last-quarter"}},
        {"apsides", {"perigee", "apogee"}},
        {"eclipses", {"lunar-eclipse"}},
        {"seasons,eclipses",
         {"march-equinox", "june-solstice", "september-equinox", "december-solstice",
          "lunar-eclipse"}}};
    for (const auto& [what, expected] : chosen) {
        std::set<std::string> found;
        for (const auto& [kind, events] :
             ByKind(ReadCalendar(Almanac(With({"ics", "2026", "--what", what})).Out)))
            found.insert(kind);
        EXPECT_EQ(found, expected) << what;
    }
    // Two years are one calendar: the 2027 March equinox follows 2026's December solstice.
    const TCalendar two =
        ReadCalendar(Almanac(With({"ics", "2026", "2027", "--what", "seasons"})).Out);
    EXPECT_EQ(two.Events.size(), 8u);

    const TRun bad = Almanac({"ics", "2026", "--what", "phases,tides"});
    EXPECT_EQ(bad.Status, 2);
    EXPECT_NE(bad.Err.find("tides"), std::string::npos) << bad.Err;
    EXPECT_EQ(Almanac({"ics"}).Status, 2);

    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("tidewell-ics-" + std::to_string(::getpid()));
    const TRun written = Almanac(With({"ics", "2026", "--what", "seasons", "-o", file.string()}));
    EXPECT_EQ(written.Status, 0);
    EXPECT_TRUE(written.Out.empty());
    std::ifstream in(file, std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(ReadCalendar(content).Events.size(), 4u);
    std::filesystem::remove(file);
    EXPECT_EQ(Almanac({"ics", "2026", "-o", (file / "missing" / "x.ics").string()}).Status, 1);
}

TEST(IcsCommandRuns, APhaseAtATimeTheClocksShowTwiceStartsAtItsOwnInstant) {
    // 01:10 comes twice in London on 30 October 2067, 01:35 in New York on 5 November 2084.
    for (const auto& [zone, year, start, civil] :
         {std::array<std::string, 4>{"Europe/London", "2067", "20671030T011000Z", "London GMT, UTC+00"},
          {"America/New_York", "2084", "20841105T053500Z", "New_York EDT, UTC-04"}}) {
        std::string description = "none at " + start;
        for (const TProps& e : ReadCalendar(Almanac({"--tz", zone, "ics", year}).Out).Events)
            if (One(e, "DTSTART") == start) description = Unescape(One(e, "DESCRIPTION"));
        EXPECT_NE(description.find(civil), std::string::npos) << description;
    }
}

} // namespace

#ifdef ALMANAC_PATH
// The real program under a file-size limit (ulimit -f), the signal at its default: the cut-off
// write is reported with status 1, the old file kept byte for byte, no temporary file left.
TEST(IcsCommandRuns, AWriteCutOffByTheFileSizeLimitKeepsTheOldFile) {
    namespace fs = std::filesystem;
    const fs::path folder = testing::TempDir() + "/tidewell-fsize-" + std::to_string(::getpid());
    fs::create_directories(folder);
    const std::string old(3000, 'o');
    std::ofstream(folder / "moon.ics", std::ios::binary) << old;
    std::signal(SIGXFSZ, SIG_DFL);
    const int status = std::system(("cd " + folder.string() + " && ulimit -f 2 && exec " +
                                    ALMANAC_PATH + " ics 2026 -o moon.ics 2> err.txt")
                                       .c_str());
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 1);
    const auto read = [&](const char* name) {
        std::ifstream in(folder / name, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    };
    EXPECT_NE(read("err.txt").find("moon.ics': File too large"), std::string::npos);
    EXPECT_EQ(read("moon.ics"), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);
    fs::remove_all(folder);
}
#endif
